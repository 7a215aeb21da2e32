#pragma once
// The Russian keyboard layout "00000419" in our own layer: the desktop's layout is never
// changed; instead the text of a key typed on the US layout is read as the character the same
// key gives on the standard Russian layout.
#include <QString>

inline const QString RussianLayoutId = QStringLiteral("00000419");

// Characters that are not on a US key (Cyrillic among them) come back unchanged.
QChar russianLayoutCharacter(QChar usCharacter);
QString russianLayoutText(const QString& usText);
