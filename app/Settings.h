#pragma once
// Start-up configuration: paths from "param.ini", the Reports folder and the remembered test file.
#include <QString>
#include <QStringList>

struct SettingsSources {
    QString executableFolder;  // ends with a separator
    QStringList arguments;     // the command line, program name first
    QString appData;           // value of "APPDATA"; empty when unset
    QString userDataFolder;    // the user's application-data folder, used when appData is empty
    QString installedSettings; // read when no "param.ini" stands beside the executable; empty: none
};

// On Linux an installed program keeps its settings in /etc/quizzard/param.ini. Tests point that
// path into an unpacked package with QUIZZARD_TEST_ROOT, which prefixes it.
SettingsSources systemSettingsSources(const QStringList& arguments);
void LoadSettings(const SettingsSources& sources);

// A folder value as the program uses it: native separators and one trailing separator.
// An empty value stays empty, so names built on it are relative to the current folder.
QString normalisedFolder(const QString& value);
