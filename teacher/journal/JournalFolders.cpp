#include "JournalFolders.h"

#include <QDir>
#include <QSettings>

namespace {

constexpr int RecentCount = 8;
const QString RecentKey = QStringLiteral("journal/recentFolders");

QSettings teacherSettings() { return QSettings(QStringLiteral("Quizzard"), QStringLiteral("quizzard-teacher")); }

}  // namespace

QString defaultResultsFolder(const QString& executableFolder) {
    const QSettings ini(QDir(executableFolder).filePath(QStringLiteral("param.ini")), QSettings::IniFormat);
    const QString configured = ini.value(QStringLiteral("params/ResultsFilePath")).toString();
    return configured.isEmpty() ? executableFolder : QDir::fromNativeSeparators(configured);
}

QStringList recentFolders() { return teacherSettings().value(RecentKey).toStringList(); }

void rememberFolder(const QString& folder) {
    QStringList folders = recentFolders();
    folders.removeAll(folder);
    folders.prepend(folder);
    teacherSettings().setValue(RecentKey, folders.mid(0, RecentCount));
}
