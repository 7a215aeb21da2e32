#include "Settings.h"

#include "Clock.h"
#include "Cp1251.h"
#include "DateTimeText.h"
#include "DayCount.h"
#include "SharedState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <optional>

namespace {

// Anything larger is not a settings file anyone wrote by hand; it is ignored.
constexpr qint64 MaxSettingsBytes = 1 << 20;

struct IniValues {
    std::optional<QString> resultsFilePath, testPath;
};

// UTF-8 (with or without its mark) when the bytes are valid UTF-8; otherwise the file was
// written on Windows in code page 1251, and its Cyrillic folder names are read as such.
QString settingsText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return fromCp1251(bytes.toStdString());
}

QString unquoted(const QString& value) {
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

// A small reader of its own, reading the file the way Windows reads INI files: QSettings would
// read "\" as an escape, and paths are full of them. Of a repeated section or key the first
// one counts; a value in double quotes loses them.
IniValues readParamsSection(const QString& fileName) {
    IniValues values;
    QFile file(fileName);
    if (file.size() > MaxSettingsBytes || !file.open(QIODevice::ReadOnly)) return values;
    enum { Before, Inside, After } params = Before;
    for (const QString& rawLine : settingsText(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const bool isParams = line.compare(QStringLiteral("[params]"), Qt::CaseInsensitive) == 0;
            params = isParams && params == Before ? Inside : params == Inside ? After : params;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (params != Inside || equals < 0) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unquoted(line.mid(equals + 1).trimmed());
        if (key.compare(QStringLiteral("ResultsFilePath"), Qt::CaseInsensitive) == 0 && !values.resultsFilePath)
            values.resultsFilePath = value;
        else if (key.compare(QStringLiteral("TestPath"), Qt::CaseInsensitive) == 0 && !values.testPath)
            values.testPath = value;
    }
    return values;
}

QString settingsFile(const SettingsSources& sources) {
    const QString besideExecutable = sources.executableFolder + QStringLiteral("param.ini");
    if (QFileInfo::exists(besideExecutable) || sources.installedSettings.isEmpty()) return besideExecutable;
    return sources.installedSettings;
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
#ifndef _WIN32
    sources.installedSettings = qEnvironmentVariable("QUIZZARD_TEST_ROOT") + QStringLiteral("/etc/quizzard/param.ini");
#endif
    return sources;
}

void LoadSettings(const SettingsSources& sources) {
    SharedState& s = Shared();
    s.TodayText = fileNameDateText(dateOfDayCount(CurrentClock().today()));
    const IniValues ini = readParamsSection(settingsFile(sources));
    s.ResultsFilePath = normalisedFolder(ini.resultsFilePath.value_or(sources.executableFolder));
    s.TestPath = normalisedFolder(ini.testPath.value_or(sources.executableFolder));
    const QString reports = reportsFolder(sources);
    QDir().mkpath(reports);
    s.LocalResultsFile = reports + s.TodayText + QStringLiteral(".qzr");
    s.CmdLineTestFile = existingFileArgument(sources.arguments);
}
