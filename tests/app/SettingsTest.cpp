#include "DateTimeText.h"
#include "DayCount.h"
#include "Settings.h"
#include "SharedState.h"
#include "TestDoubles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsFixture : public ::testing::Test {
protected:
    QTemporaryDir root;
    FakeClock fake;
    std::unique_ptr<ScopedClock> scopedClock;

    void SetUp() override {
        Shared() = SharedState{};
        fake.day = dayCount(QDate(2026, 12, 7));
        scopedClock = std::make_unique<ScopedClock>(fake);
        QDir(root.path()).mkpath(QStringLiteral("bin"));
    }
    QString exeFolder() const { return root.path() + QStringLiteral("/bin/"); }
    void writeIni(const QByteArray& content) const {
        QFile ini(exeFolder() + QStringLiteral("param.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(content);
    }
    SettingsSources sources(QStringList arguments = {QStringLiteral("quizzard")}) const {
        return {exeFolder(), arguments, root.path() + QStringLiteral("/appdata"),
                root.path() + QStringLiteral("/userdata"), QString()};
    }
};

}  // namespace

TEST_F(SettingsFixture, WithoutParamIniBothFoldersAreTheExecutablesFolder) {
    LoadSettings(sources());
    EXPECT_EQ(Shared().TestPath, exeFolder());
    EXPECT_EQ(Shared().ResultsFilePath, exeFolder());
    EXPECT_EQ(Shared().TodayText, QStringLiteral("07.12.2026"));
    EXPECT_EQ(Shared().LocalResultsFile, root.path() + QStringLiteral("/appdata/Reports/07.12.2026.qzr"));
    EXPECT_TRUE(QFileInfo(root.path() + QStringLiteral("/appdata/Reports")).isDir());
}

TEST_F(SettingsFixture, ReadsFolderValuesWithOrWithoutSeparators) {
    struct Case {
        QByteArray ini;
        QString results, tests;  // "EXE": the executable's folder, the default
    };
    const Case cases[] = {
        {"[params]\nResultsFilePath=/srv/results/\nTestPath=/srv/tests/\n", "/srv/results/", "/srv/tests/"},
        {"[params]\r\nResultsFilePath=/srv/results\r\nTestPath=/srv/tests\r\n", "/srv/results/", "/srv/tests/"},
        {"[PARAMS]\nresultsfilepath = C:\\Results\\\ntestpath=\\\\server\\tests\n", "C:/Results/", "//server/tests/"},
        {"[other]\nTestPath=/nope/\n[params]\nTestPath=/srv/t\n", "EXE", "/srv/t/"},
        {"[params]\nResultsFilePath=\nTestPath=\n", "", ""},
    };
    for (const Case& c : cases) {
        writeIni(c.ini);
        LoadSettings(sources());
        const QString results = c.results == QStringLiteral("EXE") ? exeFolder() : c.results;
        EXPECT_EQ(Shared().ResultsFilePath, results) << c.ini.constData();
        EXPECT_EQ(Shared().TestPath, c.tests) << c.ini.constData();
    }
}

// Read as Windows reads INI files: quotes around a value go, the first of a repeated key or
// section counts, and a file that is not UTF-8 is code page 1251 as Windows editors write it.
TEST_F(SettingsFixture, ReadsParamIniAsAStandardIniFile) {
    struct Case {
        QByteArray ini;
        QString results, tests;  // "EXE": the executable's folder, the default
    };
    const Case cases[] = {
        {"[params]\nTestPath=\"D:\\\xd0\x9c\xd0\xbe\xd0\xb8 \xd1\x82\xd0\xb5\xd1\x81\xd1\x82\xd1\x8b\\\"\n", "EXE",
         QStringLiteral("D:/Мои тесты/")},
        {"[params]\nTestPath=\"\"\nResultsFilePath=\"/srv/r\"\n", "/srv/r/", ""},
        {"[params]\nTestPath=\"/half\n", "EXE", "\"/half/"},
        {"[params]\nTestPath=/first\nTestPath=/second\nTESTPATH=/third\n", "EXE", "/first/"},
        {"[params]\nTestPath=/first\n[other]\n[params]\nTestPath=/second\nResultsFilePath=/r\n", "EXE", "/first/"},
        {"[params]\n[Params]\nTestPath=/second\n", "EXE", "EXE"},
        {"[params]\nTestPath=D:\\\xcc\xee\xe8 \xf2\xe5\xf1\xf2\xfb\\\n", "EXE", QStringLiteral("D:/Мои тесты/")},
        {"\xef\xbb\xbf[params]\nTestPath=/bom\n", "EXE", "/bom/"},
    };
    for (const Case& c : cases) {
        writeIni(c.ini);
        LoadSettings(sources());
        const auto expected = [this](const QString& v) { return v == QStringLiteral("EXE") ? exeFolder() : v; };
        EXPECT_EQ(Shared().ResultsFilePath, expected(c.results)) << c.ini.constData();
        EXPECT_EQ(Shared().TestPath, expected(c.tests)) << c.ini.constData();
    }
}

TEST_F(SettingsFixture, InstalledSettingsAreReadOnlyWithoutParamIniBesideTheExecutable) {
    const QString installed = root.path() + QStringLiteral("/etc/quizzard/param.ini");
    QDir().mkpath(QFileInfo(installed).path());
    QFile file(installed);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[params]\nTestPath=/usr/share/quizzard/demo\nResultsFilePath=/var/lib/quizzard/results\n");
    file.close();
    SettingsSources s = sources();
    s.installedSettings = installed;
    LoadSettings(s);
    EXPECT_EQ(Shared().TestPath, QStringLiteral("/usr/share/quizzard/demo/"));
    EXPECT_EQ(Shared().ResultsFilePath, QStringLiteral("/var/lib/quizzard/results/"));

    writeIni("[other]\n");
    LoadSettings(s);
    EXPECT_EQ(Shared().TestPath, exeFolder()) << "a param.ini beside the executable wins, even without keys";
}

#ifndef _WIN32
TEST_F(SettingsFixture, TheTestRootPrefixesTheInstalledSettingsPath) {
    const QByteArray previous = qgetenv("QUIZZARD_TEST_ROOT");
    qunsetenv("QUIZZARD_TEST_ROOT");
    EXPECT_EQ(systemSettingsSources({}).installedSettings, QStringLiteral("/etc/quizzard/param.ini"));

    QDir().mkpath(root.path() + QStringLiteral("/etc/quizzard"));
    QFile file(root.path() + QStringLiteral("/etc/quizzard/param.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[params]\nTestPath=/from/the/root\n");
    file.close();
    qputenv("QUIZZARD_TEST_ROOT", root.path().toLocal8Bit());
    SettingsSources system = systemSettingsSources({QStringLiteral("quizzard")});
    system.appData = root.path() + QStringLiteral("/appdata");
    ASSERT_FALSE(QFileInfo::exists(system.executableFolder + QStringLiteral("param.ini")));
    LoadSettings(system);
    if (previous.isNull()) qunsetenv("QUIZZARD_TEST_ROOT");
    else qputenv("QUIZZARD_TEST_ROOT", previous);
    EXPECT_EQ(Shared().TestPath, QStringLiteral("/from/the/root/"));
}
#endif

TEST_F(SettingsFixture, BadParamIniFallsBackToDefaults) {
    for (const QByteArray& content : {QByteArray("\x00\xff\xfe garbage [[[ ===", 20),
                                      QByteArray(3 << 20, 'x') + "\n[params]\nTestPath=/huge/\n"}) {
        writeIni(content);
        LoadSettings(sources());
        EXPECT_EQ(Shared().TestPath, exeFolder());
        EXPECT_EQ(Shared().ResultsFilePath, exeFolder());
    }
}

TEST_F(SettingsFixture, WithoutAppDataReportsGoToTheUsersDataFolder) {
    SettingsSources s = sources();
    s.appData.clear();
    LoadSettings(s);
    EXPECT_EQ(Shared().LocalResultsFile, root.path() + QStringLiteral("/userdata/Reports/07.12.2026.qzr"));
    EXPECT_TRUE(QFileInfo(root.path() + QStringLiteral("/userdata/Reports")).isDir());
}

TEST_F(SettingsFixture, DateInFileNamesNeverHoldsASeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    LoadSettings(sources());
    QLocale::setDefault(previous);
    EXPECT_FALSE(Shared().TodayText.contains(QLatin1Char('/')));
    EXPECT_EQ(QFileInfo(Shared().LocalResultsFile).dir().absolutePath(),
              root.path() + QStringLiteral("/appdata/Reports"));
}

TEST_F(SettingsFixture, KeepsTheFirstArgumentOnlyWhenItNamesAFile) {
    const QString file = root.path() + QStringLiteral("/my test.qzt");
    QFile(file).open(QIODevice::WriteOnly);
    struct Case {
        QStringList arguments;
        QString expected;
    };
    const Case cases[] = {
        {{"quizzard", file}, file},
        {{"quizzard", file, "extra"}, file},
        {{"quizzard", root.path()}, {}},
        {{"quizzard", root.path() + "/missing.qzt"}, {}},
        {{"quizzard"}, {}},
    };
    for (const Case& c : cases) {
        LoadSettings(sources(c.arguments));
        EXPECT_EQ(Shared().CmdLineTestFile, c.expected);
    }
}

TEST_F(SettingsFixture, AnExistingReportsFolderIsLeftAsItIs) {
    QDir().mkpath(root.path() + QStringLiteral("/appdata/Reports"));
    QFile kept(root.path() + QStringLiteral("/appdata/Reports/old.qzr"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("abc");
    kept.close();
    LoadSettings(sources());
    EXPECT_EQ(QFileInfo(kept.fileName()).size(), 3);
}
