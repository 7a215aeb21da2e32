#pragma once
// Saving a finished test: the record is completed and appended to the shared results file of
// the day and to the local one. Failures are told to the user and never stop the program.
#include <QString>

inline const QString SharedSaveFailedText = QStringLiteral("Не удалось сохранить результаты в файл");
inline const QString LocalSaveFailedText =
    QStringLiteral("Не удалось сохранить результаты в локальный файл");

inline constexpr int SharedFileAttempts = 29;
inline constexpr unsigned AttemptWaitMs = 50;

// ResultsFilePath + TodayText + ".qzr", joined as they are.
QString ResultsFileName();

void SaveResults2File();
