#pragma once
// Where the journal looks: the results folder of "param.ini" beside the program by default, and
// the folders the teacher opened recently.
#include <QString>
#include <QStringList>

QString defaultResultsFolder(const QString& executableFolder);
QStringList recentFolders();
void rememberFolder(const QString& folder);  // first in the list, at most a few kept
