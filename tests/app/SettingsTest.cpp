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
                root.path() + QStringLiteral("/userdata")};
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
