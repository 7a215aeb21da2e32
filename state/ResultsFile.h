#pragma once
// Saving a finished test: the record is completed and appended to the shared results file of
// the day and to the local one. Failures are told to the user and never stop the program.
#include <QString>

// ResultsFilePath + TodayText + ".qzr", joined as they are.
QString ResultsFileName();

void SaveResults2File();
