#include "ResultsFile.h"

#include "DayCount.h"
#include "RecordingLockLayer.h"
#include "ResultsLockedFile.h"
#include "SharedState.h"
#include "TestDoubles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString SharedFailed = QStringLiteral("Не удалось сохранить результаты в файл");
const QString LocalFailed = QStringLiteral("Не удалось сохранить результаты в локальный файл");

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

TEST_F(SaveResults, NewFilesLetEveryAccountAppendWhateverTheUmask) {
    const mode_t previous = ::umask(022);
    SaveResults2File();
    ::umask(previous);
    for (const QString& path : {sharedFile, localFile}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666u) << path.toStdString();
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

// A record cut short by a crash is no one's result: the next record takes its place, and no
// padding leaves an all-zero record that readers would count as a result without a name.
TEST_F(SaveResults, TornTailIsOverwrittenAtTheRecordBoundary) {
    const struct {
        int wholeRecords, tornBytes;
    } cases[] = {{1, 1000}, {0, 1}, {2, int(RecordSize) - 1}, {0, int(RecordSize) - 1}};
    for (const auto& c : cases) {
        QByteArray whole;
        for (int i = 0; i < c.wholeRecords; ++i) whole += asBytes(otherRecord("Whole"));
        for (const QString& path : {sharedFile, localFile}) writeAll(path, whole + QByteArray(c.tornBytes, '\xAB'));

        SaveResults2File();

        for (const QString& path : {sharedFile, localFile}) {
            const QByteArray bytes = readAll(path);
            const std::string where = path.toStdString() + " after " + std::to_string(c.tornBytes) + " torn bytes";
            ASSERT_EQ(bytes.size(), (c.wholeRecords + 1) * int(RecordSize)) << where;
            EXPECT_EQ(bytes.left(whole.size()), whole) << where;
            EXPECT_EQ(recordAt(bytes, c.wholeRecords).LastName, "Petrov") << where;
        }
    }
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(SaveResults, MissingSharedFolderFailsAfterAllAttemptsAndTheLocalFileIsStillWritten) {
    Shared().ResultsFilePath = dir.filePath("no-such-folder") + "/";
    const std::int64_t before = clock.monotonic;

    SaveResults2File();

    EXPECT_EQ(notices.notices, QStringList{SharedFailed});
    // Each wait of 50 ms reads the tick counter twice, at 50 ms a reading.
    EXPECT_EQ(clock.monotonic - before, 29 * 2 * 50) << "29 attempts, 50 ms apart";
    EXPECT_EQ(readAll(localFile).size(), int(RecordSize));
}

TEST_F(SaveResults, BothFilesFailingGiveBothNoticesInOrder) {
    Shared().ResultsFilePath = dir.filePath("no-such-folder") + "/";
    Shared().LocalResultsFile = dir.filePath("no-reports/07.12.2026.qzr");

    SaveResults2File();

    EXPECT_EQ(notices.notices, (QStringList{SharedFailed, LocalFailed}));
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

    EXPECT_EQ(notices.notices, QStringList{SharedFailed});
    EXPECT_EQ(readAll(localFile).size(), int(RecordSize));
}

class SaveResultsThroughLockLayer : public SaveResults {
protected:
    RecordingLockLayer layer;
    ScopedLockLayer layerInstalled{layer};
};

// The record is on disk before another workstation may append: flush, then unlock.
TEST_F(SaveResultsThroughLockLayer, EachFileIsFlushedUnderItsLock) {
    SaveResults2File();

    const QStringList perFile{"lock Locked", "flush", "unlock"};
    EXPECT_EQ(layer.calls, perFile + perFile) << "shared file, then local file";
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(SaveResultsThroughLockLayer, FailedFlushIsAFailedSaveAndTakesTheRecordBack) {
    const QByteArray earlier = asBytes(otherRecord("Earlier"));
    writeAll(sharedFile, earlier);
    layer.flushFails = true;

    SaveResults2File();

    EXPECT_EQ(notices.notices, (QStringList{SharedFailed, LocalFailed}));
    EXPECT_EQ(readAll(sharedFile), earlier);
    EXPECT_EQ(readAll(localFile).size(), 0);
}

// A share without a lock service refuses every lock: the save appends without one at the first
// attempt, as a program without locks would, rather than losing the record after all attempts.
TEST_F(SaveResultsThroughLockLayer, FileSystemThatRefusesLocksIsAppendedToWithoutTheLock) {
    layer.outcome = LockOutcome::Refused;
    const std::int64_t before = clock.monotonic;

    SaveResults2File();

    EXPECT_TRUE(notices.notices.isEmpty());
    EXPECT_EQ(layer.calls, (QStringList{"lock Refused", "flush", "lock Refused", "flush"}));
    EXPECT_EQ(clock.monotonic - before, 3 * 50) << "one attempt: the start of its lock wait, then 50 ms";
    for (const QString& path : {sharedFile, localFile})
        EXPECT_EQ(recordAt(readAll(path), 0).LastName, "Petrov") << path.toStdString();
}

// Another workstation holding the lock all along: the attempts wait for it about 10 s in all
// before the notice, and the local file, which never waits, fails at its only try.
TEST_F(SaveResultsThroughLockLayer, LockHeldThroughAllAttemptsGivesUpAfterAboutTenSeconds) {
    layer.outcome = LockOutcome::HeldByAnother;
    clock.stepPerTickRead = 1;
    const std::int64_t before = clock.monotonic;

    SaveResults2File();

    EXPECT_EQ(notices.notices, (QStringList{SharedFailed, LocalFailed}));
    const std::int64_t waited = clock.monotonic - before;
    EXPECT_GE(waited, 29 * (295 + 50)) << "29 attempts, each waiting 295 ms for the lock and 50 ms after";
    EXPECT_LT(waited, 10400);
    EXPECT_EQ(readAll(sharedFile).size(), 0);
    EXPECT_EQ(readAll(localFile).size(), 0);
}

TEST(LockOutcomeOfError, OnlyContentionIsWorthWaitingFor) {
    const struct {
        int error;
        LockOutcome outcome;
    } cases[] = {
        {EACCES, LockOutcome::HeldByAnother}, {EAGAIN, LockOutcome::HeldByAnother},
        {ENOLCK, LockOutcome::Refused},       {EOPNOTSUPP, LockOutcome::Refused},
        {ENOTSUP, LockOutcome::Refused},      {EINVAL, LockOutcome::Refused},
    };
    for (const auto& c : cases) EXPECT_EQ(lockOutcomeOfError(c.error), c.outcome) << "errno " << c.error;
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
