#include "Settings.h"

#include "Clock.h"
#include "DateTimeText.h"
#include "DayCount.h"
#include "SharedState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <optional>

namespace {

// Anything larger is not a settings file anyone wrote by hand; it is ignored.
constexpr qint64 MaxSettingsBytes = 1 << 20;

struct IniValues {
    std::optional<QString> resultsFilePath, testPath;
};

// A small reader of its own: QSettings would read "\" as an escape, and paths are full of them.
IniValues readParamsSection(const QString& fileName) {
    IniValues values;
    QFile file(fileName);
    if (file.size() > MaxSettingsBytes || !file.open(QIODevice::ReadOnly)) return values;
    bool inParams = false;
    for (const QByteArray& rawLine : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inParams = line.compare(QStringLiteral("[params]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inParams || equals < 0) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key.compare(QStringLiteral("ResultsFilePath"), Qt::CaseInsensitive) == 0)
            values.resultsFilePath = value;
        else if (key.compare(QStringLiteral("TestPath"), Qt::CaseInsensitive) == 0)
            values.testPath = value;
    }
    return values;
}

QString reportsFolder(const SettingsSources& sources) {
    const QString parent = sources.appData.isEmpty() ? sources.userDataFolder : sources.appData;
    return normalisedFolder(parent) + QStringLiteral("Reports/");
}

QString existingFileArgument(const QStringList& arguments) {
    if (arguments.size() < 2) return {};
    const QFileInfo info(arguments.at(1));
    return info.exists() && info.isFile() ? arguments.at(1) : QString();
}

}  // namespace

QString normalisedFolder(const QString& value) {
    if (value.isEmpty()) return value;
    QString folder = value;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

SettingsSources systemSettingsSources(const QStringList& arguments) {
    SettingsSources sources;
    sources.executableFolder = normalisedFolder(QCoreApplication::applicationDirPath());
    sources.arguments = arguments;
    sources.appData = qEnvironmentVariable("APPDATA");
    sources.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return sources;
}

void LoadSettings(const SettingsSources& sources) {
    SharedState& s = Shared();
    s.TodayText = fileNameDateText(dateOfDayCount(CurrentClock().today()));
    const IniValues ini = readParamsSection(sources.executableFolder + QStringLiteral("param.ini"));
    s.ResultsFilePath = normalisedFolder(ini.resultsFilePath.value_or(sources.executableFolder));
    s.TestPath = normalisedFolder(ini.testPath.value_or(sources.executableFolder));
    const QString reports = reportsFolder(sources);
    QDir().mkpath(reports);
    s.LocalResultsFile = reports + s.TodayText + QStringLiteral(".qzr");
    s.CmdLineTestFile = existingFileArgument(sources.arguments);
}
