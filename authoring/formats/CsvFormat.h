#pragma once
// A spreadsheet saved as CSV or TSV: question, correct answer, then up to four wrong answers.
// The separator (comma, semicolon or tab), the encoding and an optional header row are detected.
#include "ImportReport.h"

#include <QByteArray>

ImportResult importCsv(const QByteArray& bytes);  // throws FormatError
