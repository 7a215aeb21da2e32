#pragma once
// The Russian keyboard layout "00000419" in our own layer: the desktop's layout is never
// changed; instead the text of a key typed on the US layout is read as the character the same
// key gives on the standard Russian layout.
#include <QString>

// Characters that are not on a US key (Cyrillic among them) come back unchanged.
QString russianLayoutText(const QString& usText);
