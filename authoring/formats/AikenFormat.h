#pragma once
// Aiken: a question line, options "A)" or "A.", and "ANSWER: X"; a blank line between questions.
#include "ImportReport.h"

#include <QByteArray>

ImportResult importAiken(const QByteArray& bytes);  // throws FormatError
QByteArray exportAiken(const TestDocument& test);   // plain text, one line per question and option
