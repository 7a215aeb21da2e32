#pragma once
// Writes a QTextDocument as RTF that word processors and readRtf() read back: code page 1251
// text (\uN for anything outside it), font and colour tables, character and paragraph formats,
// lists, tables and PNG or JPEG pictures. A picture that was read and not changed since is
// written with the bytes it was read from (see PictureSource.h).
#include <QByteArray>

class QTextDocument;

QByteArray writeRtf(const QTextDocument& document);
