#pragma once
// The files opened last, newest first, kept in the program's settings.
#include <QStringList>

constexpr int MostRecentFiles = 8;

QStringList recentFiles();
void rememberRecentFile(const QString& path);
