#pragma once
// Stands in for the rich-text writer until it joins platform/richtext: text paragraphs and
// pictures only, character formats are not kept yet.
#include <QByteArray>

class QTextDocument;

QByteArray writeRtf(const QTextDocument& document);
