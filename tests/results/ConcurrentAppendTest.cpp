#include "ResultsFile.h"

#include "RecordingLockLayer.h"
#include "ResultsLockedFile.h"
#include "SharedState.h"
#include "TestDoubles.h"
#include "WriterRecord.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<QProcess> startHelper(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(APPEND_HELPER), arguments);
    EXPECT_TRUE(process->waitForStarted());
    return process;
}

// What a results file holds, record by record: the sequence numbers of each writer in file
// order, and the number of records that are not whole records of any writer.
struct Census {
    std::map<int, std::vector<int>> sequences;
    int damaged = 0;
};

Census takeCensus(const QByteArray& bytes) {
    Census census;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    for (qsizetype at = 0; at + qsizetype(RecordSize) <= bytes.size(); at += RecordSize) {
        if (const auto identity = writerOf(data + at))
            census.sequences[identity->first].push_back(identity->second);
        else
            ++census.damaged;
    }
    return census;
}

std::vector<int> upTo(int count) {
    std::vector<int> all(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) all[static_cast<std::size_t>(i)] = i;
    return all;
}

void waitUntilLocked(QProcess& holder) {
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the holder did not say it has the lock within 10 s";
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
}

// Exit code of the helper's single try for the lock: 0 when it got it, 5 when it is taken.
int tryLockFromAnotherProcess(const QString& path) {
    auto probe = startHelper({"try-lock", path});
    if (!probe->waitForFinished(10000)) return -1;
    return probe->exitCode();
}

TEST(ConcurrentAppend, SixteenWritersAtOnceLoseAndTearNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.qzr");
    constexpr int writers = 16, perWriter = 500;

    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w)
        processes.push_back(startHelper({"append", path, QString::number(w), QString::number(perWriter)}));
    for (auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(300000));
        EXPECT_EQ(process->exitCode(), 0);
    }

    const QByteArray bytes = readAll(path);
    ASSERT_EQ(bytes.size(), qsizetype(writers) * perWriter * qsizetype(RecordSize));
    const Census census = takeCensus(bytes);
    EXPECT_EQ(census.damaged, 0);
    ASSERT_EQ(census.sequences.size(), std::size_t(writers));
    for (const auto& [writer, sequences] : census.sequences)
        EXPECT_EQ(sequences, upTo(perWriter)) << "writer " << writer;
}

TEST(ConcurrentAppend, WriterKilledMidRunLeavesTheOthersWholeAndAligned) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.qzr");
    constexpr int survivors = 4, perSurvivor = 300, victim = 99;

    auto killed = startHelper({"append", path, QString::number(victim), "1000000"});
    const QDeadlineTimer deadline(30000);
    while (QFile(path).size() < qint64(20 * RecordSize)) {
        ASSERT_FALSE(deadline.hasExpired()) << "the writer to be killed wrote fewer than 20 records in 30 s";
        QThread::msleep(2);
    }
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= survivors; ++w)
        processes.push_back(startHelper({"append", path, QString::number(w), QString::number(perSurvivor)}));
    QThread::msleep(20);
    killed->kill();  // SIGKILL, wherever it is
    killed->waitForFinished();
    for (auto& process : processes) {
        ASSERT_TRUE(process->waitForFinished(300000));
        EXPECT_EQ(process->exitCode(), 0);
    }

    const QByteArray bytes = readAll(path);
    EXPECT_EQ(bytes.size() % qsizetype(RecordSize), 0) << "later appends write over a torn record";
    Census census = takeCensus(bytes);
    EXPECT_LE(census.damaged, 1) << "only the record the victim was writing may be torn, and only last";
    for (int w = 1; w <= survivors; ++w) EXPECT_EQ(census.sequences[w], upTo(perSurvivor)) << w;
    const std::vector<int>& victimRecords = census.sequences[victim];
    EXPECT_EQ(victimRecords, upTo(int(victimRecords.size())));
}

TEST(ConcurrentAppend, FailedWriteTakesBackThePartThatReachedTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.qzr");
    {
        auto file = LockedResultsFile::open(path);
        ASSERT_TRUE(file && file->append(writerRecord(7, 0)));
    }
    const QByteArray before = readAll(path);

    // Room for part of a record only: the write comes up short, then fails.
    auto capped = startHelper({"append-capped", path, QString::number(RecordSize + 1000)});
    ASSERT_TRUE(capped->waitForFinished(10000));

    EXPECT_EQ(capped->exitCode(), 3) << "the append reports its failure";
    EXPECT_EQ(readAll(path), before);
}

class LockedSharedFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingNotices notices;
    ScopedNotices noticesInstalled{notices};
    QString sharedFile = dir.filePath("07.12.2026.qzr");
    QString localFile = dir.filePath("local.qzr");

    void SetUp() override {
        SharedState& s = Shared();
        s = SharedState();
        s.TodayText = "07.12.2026";
        s.ResultsFilePath = dir.path() + "/";
        s.LocalResultsFile = localFile;
        s.QuestionCount = 5;
    }
};

// The holder lets go while the save waits for the lock: the wait has kept messages flowing, and
// the record goes in without the notice.
TEST_F(LockedSharedFile, ReleasedWhileTheSaveWaitsIsWrittenAndMessagesFlowMeanwhile) {
    auto holder = startHelper({"hold", sharedFile, "600000"});
    waitUntilLocked(*holder);
    RecordingLockLayer layer;
    ScopedLockLayer layerInstalled{layer};
    bool sawTheWait = false;
    QTimer::singleShot(0, [&] {
        sawTheWait = readAll(sharedFile).isEmpty();
        holder->kill();
        holder->waitForFinished();
    });

    SaveResults2File();

    EXPECT_TRUE(sawTheWait) << "no message was processed while the save waited for the lock";
    EXPECT_EQ(layer.calls.first(), "lock HeldByAnother");
    EXPECT_TRUE(notices.notices.isEmpty());
    EXPECT_EQ(readAll(sharedFile).size(), qsizetype(RecordSize));
}

// The wait of 50 ms after a successful append runs without the lock, so another workstation can
// append then.
TEST_F(LockedSharedFile, AnotherWriterGetsTheLockDuringTheWaitAfterAnAppend) {
    int probe = -2;
    QTimer::singleShot(0, [&] {
        if (readAll(sharedFile).size() == qsizetype(RecordSize)) probe = tryLockFromAnotherProcess(sharedFile);
    });

    SaveResults2File();

    EXPECT_EQ(probe, 0) << "-2: the wait came before the append; 5: the lock was still held; -1: no answer";
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(LockedSharedFile, HeldLongerThanAllAttemptsGivesTheNoticeAndTheLocalFileIsWritten) {
    FakeClock clock;
    ScopedClock clockInstalled{clock};
    auto holder = startHelper({"hold", sharedFile, "600000"});
    waitUntilLocked(*holder);
    const std::int64_t before = clock.monotonic;

    SaveResults2File();

    EXPECT_GE(clock.monotonic - before, 10000) << "the attempts waited about 10 s in all";
    EXPECT_EQ(notices.notices, QStringList{QStringLiteral("Не удалось сохранить результаты в файл")});
    EXPECT_EQ(readAll(sharedFile).size(), 0);
    EXPECT_EQ(readAll(localFile).size(), qsizetype(RecordSize));
    holder->kill();
    holder->waitForFinished();
}

}  // namespace
