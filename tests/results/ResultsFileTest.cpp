#include "ResultsFile.h"

#include "DayCount.h"
#include "ResultsLockedFile.h"
#include "SharedState.h"
#include "TestDoubles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray asBytes(const RecordBytes& record) {
    return QByteArray(reinterpret_cast<const char*>(record.data()), static_cast<int>(record.size()));
}

ResultRecord recordAt(const QByteArray& file, int index) {
    return decodeRecord(reinterpret_cast<const std::uint8_t*>(file.constData()) + index * RecordSize);
}

RecordBytes otherRecord(const char* lastName) {
    ResultRecord r;
    r.LastName = lastName;
    r.QuestionCount = r.QuestionCount2 = 3;
    return encodeRecord(r);
}

class SaveResults : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString sharedFolder = dir.filePath("shared") + "/";
    QString reportsFolder = dir.filePath("Reports") + "/";
    QString sharedFile = sharedFolder + "07.12.2026.qzr";
    QString localFile = reportsFolder + "07.12.2026.qzr";
    FakeClock clock;
    RecordingNotices notices;
    ScopedClock clockInstalled{clock};
    ScopedNotices noticesInstalled{notices};

    void SetUp() override {
        QDir().mkpath(sharedFolder);
        QDir().mkpath(reportsFolder);
        clock.day = dayCount(QDate(2026, 12, 8));
        clock.stepPerTickRead = 50;  // a wait of 50 ms takes two readings of the tick counter
        SharedState& s = Shared();
        s = SharedState();
        s.TodayText = "07.12.2026";
        s.ResultsFilePath = sharedFolder;
        s.LocalResultsFile = localFile;
        s.TestTitle = "\xD4\xE8\xE7\xE8\xEA\xE0";  // Физика
        s.QuestionCount = 10;
        s.PointsPerAnswer = 0.5f;
        s.ElapsedTime = (12 * 60 + 34) / 86400.0;
        s.Record.FirstName = "\xC8\xE2\xE0\xED";  // Иван
        s.Record.LastName = "Petrov";
        s.Record.Group = "A-1";
        s.Record.CorrectCount = 7;
    }
};

TEST_F(SaveResults, FirstResultOfTheDayCreatesBothFilesWithTheCompletedRecord) {
    SaveResults2File();

    EXPECT_TRUE(notices.notices.isEmpty());
    EXPECT_EQ(Shared().SharedResultsFile, sharedFile);
    for (const QString& path : {sharedFile, localFile}) {
        const QByteArray bytes = readAll(path);
        ASSERT_EQ(bytes.size(), int(RecordSize)) << path.toStdString();
        const ResultRecord r = recordAt(bytes, 0);
        EXPECT_EQ(r.TestTitle, "\xD4\xE8\xE7\xE8\xEA\xE0");
        EXPECT_EQ(r.QuestionCount, 10);
        EXPECT_EQ(r.QuestionCount2, 10);
        EXPECT_EQ(r.PointsPerAnswer, 0.5f);
        EXPECT_EQ(r.TestDate, dayCount(QDate(2026, 12, 8)));
        EXPECT_EQ(r.TimeSpent, "00:12:34");
        EXPECT_EQ(r.FirstName, "\xC8\xE2\xE0\xED");
        EXPECT_EQ(r.CorrectCount, 7);
    }
}

TEST_F(SaveResults, LongTitleAndLongTimeTextAreCutToTheirFields) {
    Shared().TestTitle = std::string(130, 'T');
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));  // "12:12:34 PM"
    Shared().ElapsedTime += 0.5;
    SaveResults2File();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    const ResultRecord r = recordAt(readAll(sharedFile), 0);
    EXPECT_EQ(r.TestTitle, std::string(120, 'T'));
    EXPECT_EQ(r.TimeSpent, "12:12:34");
    EXPECT_EQ(Shared().TestTitle.size(), 130u) << "the loaded test keeps its whole title";
}

TEST_F(SaveResults, AppendsAfterTheRecordsAlreadyThere) {
    const QByteArray earlier = asBytes(otherRecord("First")) + asBytes(otherRecord("Second"));
    writeAll(sharedFile, earlier);

    SaveResults2File();

    const QByteArray bytes = readAll(sharedFile);
    ASSERT_EQ(bytes.size(), 3 * int(RecordSize));
    EXPECT_EQ(bytes.left(earlier.size()), earlier);
    EXPECT_EQ(recordAt(bytes, 2).LastName, "Petrov");
}

TEST_F(SaveResults, PartialTailIsKeptAndPaddedSoTheNewRecordStaysAligned) {
    const QByteArray whole = asBytes(otherRecord("Whole"));
    const QByteArray torn(1000, '\xAB');
    writeAll(sharedFile, whole + torn);

    SaveResults2File();

    const QByteArray bytes = readAll(sharedFile);
    ASSERT_EQ(bytes.size(), 3 * int(RecordSize));
    EXPECT_EQ(bytes.left(whole.size() + torn.size()), whole + torn);
    EXPECT_EQ(bytes.mid(whole.size() + torn.size(), int(RecordSize) - torn.size()),
              QByteArray(int(RecordSize) - torn.size(), '\0'));
    EXPECT_EQ(recordAt(bytes, 2).LastName, "Petrov");
}

TEST_F(SaveResults, MissingSharedFolderFailsAfterAllAttemptsAndTheLocalFileIsStillWritten) {
    Shared().ResultsFilePath = dir.filePath("no-such-folder") + "/";
    const std::int64_t before = clock.monotonic;

    SaveResults2File();

    EXPECT_EQ(notices.notices, QStringList{SharedSaveFailedText});
    EXPECT_EQ(clock.monotonic - before, SharedFileAttempts * 2 * 50) << "29 attempts, 50 ms apart";
    EXPECT_EQ(readAll(localFile).size(), int(RecordSize));
}

TEST_F(SaveResults, BothFilesFailingGiveBothNoticesInOrder) {
    Shared().ResultsFilePath = dir.filePath("no-such-folder") + "/";
    Shared().LocalResultsFile = dir.filePath("no-reports/07.12.2026.qzr");

    SaveResults2File();

    EXPECT_EQ(notices.notices, (QStringList{SharedSaveFailedText, LocalSaveFailedText}));
}

TEST_F(SaveResults, SharedFolderEqualToTheReportsFolderGetsTheRecordTwice) {
    Shared().ResultsFilePath = reportsFolder;

    SaveResults2File();

    const QByteArray bytes = readAll(localFile);
    ASSERT_EQ(bytes.size(), 2 * int(RecordSize));
    EXPECT_EQ(bytes.left(int(RecordSize)), bytes.mid(int(RecordSize)));
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(SaveResults, PipeInPlaceOfTheSharedFileIsRefusedWithoutHanging) {
    ASSERT_EQ(mkfifo(QFile::encodeName(sharedFile).constData(), 0600), 0);

    SaveResults2File();

    EXPECT_EQ(notices.notices, QStringList{SharedSaveFailedText});
    EXPECT_EQ(readAll(localFile).size(), int(RecordSize));
}

TEST(ResultsFileName, JoinsFolderDateAndExtensionAsTheyAre) {
    const struct {
        const char* folder;
        const char* expected;
    } cases[] = {
        {"/srv/results/", "/srv/results/07.12.2026.qzr"},
        {"/srv/results", "/srv/results07.12.2026.qzr"},
        {"", "07.12.2026.qzr"},
    };
    Shared().TodayText = "07.12.2026";
    for (const auto& c : cases) {
        Shared().ResultsFilePath = c.folder;
        EXPECT_EQ(ResultsFileName(), QString(c.expected)) << c.folder;
    }
}

}  // namespace
