#pragma once
// The shown attempts as a real spreadsheet: numbers as numbers, dates as dates.
#include "Attempt.h"
#include "MarkScale.h"

#include <QString>
#include <vector>

// Empty on success, otherwise why the file could not be written.
QString writeJournalXlsx(const QString& path, const std::vector<const Attempt*>& shown, const MarkSettings& marks);
