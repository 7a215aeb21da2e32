#pragma once
// Writes a rich-text document as RTF: the one place the importers turn documents into the bytes
// a test file holds.
#include <QByteArray>

class QTextDocument;

QByteArray documentToRtf(const QTextDocument& document);

