#include "ResultsFile.h"

#include "ResultsLockedFile.h"
#include "SharedState.h"
#include "TestDoubles.h"
#include "WriterRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
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
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
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
    while (QFile(path).size() < qint64(20 * RecordSize)) QThread::msleep(2);
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
    EXPECT_EQ(bytes.size() % qsizetype(RecordSize), 0) << "later appends realign after a torn record";
    Census census = takeCensus(bytes);
    EXPECT_LE(census.damaged, 1) << "only the record the victim was writing may be torn";
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

TEST_F(LockedSharedFile, HeldBrieflyByAnotherWorkstationIsWrittenOnALaterAttempt) {
    auto holder = startHelper({"hold", sharedFile, "500"});
    waitUntilLocked(*holder);
    QElapsedTimer elapsed;
    elapsed.start();

    SaveResults2File();

    EXPECT_GE(elapsed.elapsed(), 300) << "the first attempts found the file locked";
    EXPECT_TRUE(notices.notices.isEmpty());
    EXPECT_EQ(readAll(sharedFile).size(), qsizetype(RecordSize));
    holder->waitForFinished();
}

TEST_F(LockedSharedFile, HeldLongerThanAllAttemptsGivesTheNoticeAndTheLocalFileIsWritten) {
    auto holder = startHelper({"hold", sharedFile, "5000"});
    waitUntilLocked(*holder);

    SaveResults2File();

    EXPECT_EQ(notices.notices, QStringList{SharedSaveFailedText});
    EXPECT_EQ(readAll(sharedFile).size(), 0);
    EXPECT_EQ(readAll(localFile).size(), qsizetype(RecordSize));
    holder->kill();
    holder->waitForFinished();
}

}  // namespace
