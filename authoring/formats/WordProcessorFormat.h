#pragma once
// The layout a teacher types in a word processor: a question paragraph, then its answers, each
// starting with "+" (the correct one) or "-"; a blank line or the next question ends it. Read
// from RTF with formatting and pictures kept, or from plain text.
#include "ImportReport.h"

#include <QByteArray>

ImportResult importWordProcessorRtf(const QByteArray& bytes);  // throws FormatError
ImportResult importPlainText(const QByteArray& bytes);         // throws FormatError
QByteArray exportWordProcessorRtf(const TestDocument& test);
QByteArray exportPlainText(const TestDocument& test);
