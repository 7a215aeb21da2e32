#pragma once
// The shown attempts as CSV for spreadsheets: UTF-8 with a byte order mark, so the Cyrillic
// reads right, and the mark of each attempt.
#include "Attempt.h"
#include "MarkScale.h"

#include <QByteArray>
#include <vector>

QByteArray journalCsv(const std::vector<const Attempt*>& shown, const MarkSettings& marks);
