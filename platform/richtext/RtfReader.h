#pragma once
// Reads RTF as a word processor writes it into a QTextDocument. Bad input never throws:
// the document holds whatever could be read.
#include <QByteArray>

class QTextDocument;

void readRtf(const QByteArray& rtf, QTextDocument& document);
