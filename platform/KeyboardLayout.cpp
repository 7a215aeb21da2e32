#include "KeyboardLayout.h"

#include <utility>

namespace {

// The letter keys of the Russian layout by their set 1 scan code, which is also the evdev code
// of the same key: the three letter rows, and ё left of the digits.
constexpr std::pair<std::uint32_t, char16_t> russianLetterAtKey[] = {
    {0x10, u'й'}, {0x11, u'ц'}, {0x12, u'у'}, {0x13, u'к'}, {0x14, u'е'}, {0x15, u'н'},
    {0x16, u'г'}, {0x17, u'ш'}, {0x18, u'щ'}, {0x19, u'з'}, {0x1A, u'х'}, {0x1B, u'ъ'},
    {0x1E, u'ф'}, {0x1F, u'ы'}, {0x20, u'в'}, {0x21, u'а'}, {0x22, u'п'}, {0x23, u'р'},
    {0x24, u'о'}, {0x25, u'л'}, {0x26, u'д'}, {0x27, u'ж'}, {0x28, u'э'}, {0x29, u'ё'},
    {0x2C, u'я'}, {0x2D, u'ч'}, {0x2E, u'с'}, {0x2F, u'м'}, {0x30, u'и'}, {0x31, u'т'},
    {0x32, u'ь'}, {0x33, u'б'}, {0x34, u'ю'},
};

constexpr std::uint32_t X11KeycodeOffset = 8;

std::uint32_t scanCodeOf(std::uint32_t nativeScanCode, KeyNumbering numbering) {
    if (numbering == KeyNumbering::WindowsScanCode) return nativeScanCode;
    return nativeScanCode >= X11KeycodeOffset ? nativeScanCode - X11KeycodeOffset : 0;
}

char16_t russianLetterAt(std::uint32_t scanCode) {
    for (const auto& [code, letter] : russianLetterAtKey)
        if (code == scanCode) return letter;
    return 0;
}

}  // namespace

KeyNumbering platformKeyNumbering() {
#ifdef _WIN32
    return KeyNumbering::WindowsScanCode;
#else
    return KeyNumbering::X11Keycode;
#endif
}

QString russianLayoutText(std::uint32_t nativeScanCode, KeyNumbering numbering, bool shifted,
                          const QString& typed) {
    if (typed.size() != 1 || !typed.front().isPrint()) return typed;
    const char16_t letter = russianLetterAt(scanCodeOf(nativeScanCode, numbering));
    if (letter == 0) return typed;
    const QChar typedCharacter = typed.front();
    const bool capital = typedCharacter.isLetter() ? typedCharacter.isUpper() : shifted;
    const QChar russian(letter);
    return QString(capital ? russian.toUpper() : russian);
}
