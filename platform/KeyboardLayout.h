#pragma once
// The Russian keyboard layout "00000419" in our own layer: the desktop's layout is never
// changed; instead a key is read by where it sits on the keyboard, as the letter that key gives
// on the standard Russian layout, whatever layout the desktop has (US, German, Russian, ...).
#include <QString>
#include <cstdint>

// How the platform numbers the physical keys in QKeyEvent::nativeScanCode().
enum class KeyNumbering {
    X11Keycode,       // X11, xcb and Wayland: the evdev code plus 8
    WindowsScanCode,  // Windows: the set 1 scan code
};

// The numbering of the platform this program was built for.
KeyNumbering platformKeyNumbering();

// The text a key gives on the Russian layout: the letter at the key's position, capital when
// the desktop typed a capital (or, for a key that typed no letter, when Shift is held). A key
// with no letter position (digits, blank, punctuation, unknown codes) keeps the text it typed.
QString russianLayoutText(std::uint32_t nativeScanCode, KeyNumbering numbering, bool shifted,
                          const QString& typed);
