#include "RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const char RecentFilesKey[] = "recentFiles";
}

QStringList recentFiles() { return QSettings().value(RecentFilesKey).toStringList(); }

void rememberRecentFile(const QString& path) {
    QStringList files = recentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > MostRecentFiles) files.removeLast();
    QSettings().setValue(RecentFilesKey, files);
}
