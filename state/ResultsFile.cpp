#include "ResultsFile.h"

#include "Clock.h"
#include "Cp1251.h"
#include "DateTimeText.h"
#include "Messages.h"
#include "Notices.h"
#include "ResultsLockedFile.h"
#include "SharedState.h"

namespace {

const QString SharedSaveFailedText = QStringLiteral("Не удалось сохранить результаты в файл");
const QString LocalSaveFailedText = QStringLiteral("Не удалось сохранить результаты в локальный файл");

// The shared file gets 29 attempts with a wait of 50 ms after each. An attempt that finds the
// lock taken waits up to LockWaitMs for it, so a class finishing together on a slow share has
// about 10 s in all (29 x 345 ms) before its records are lost from the shared file.
constexpr int SharedFileAttempts = 29;
constexpr std::uint32_t AttemptWaitMs = 50;
constexpr std::uint32_t LockWaitMs = 295;
constexpr std::uint32_t LockPollMs = 5;

void completeRecord() {
    SharedState& s = Shared();
    ResultRecord& r = s.Record;
    r.TestTitle = cutToCapacity(s.TestTitle, RecordLayout::TitleCapacity);
    r.QuestionCount = s.QuestionCount;
    r.QuestionCount2 = s.QuestionCount;
    r.PointsPerAnswer = s.PointsPerAnswer;
    r.TestDate = CurrentClock().today();
    r.TimeSpent = cutToCapacity(toCp1251(longTimeText(s.ElapsedTime)), RecordLayout::TimeSpentCapacity);
}

// One attempt: the file open and locked within LockWaitMs, processing messages meanwhile.
// A file system that does not lock at all is appended to without the lock, as if it had none.
std::unique_ptr<LockedResultsFile> openForAppend(const QString& path) {
    std::unique_ptr<LockedResultsFile> file = LockedResultsFile::open(path);
    if (!file) return nullptr;
    const std::uint32_t start = CurrentClock().tickCount();
    while (file->tryLock() == LockOutcome::HeldByAnother) {
        if (static_cast<std::uint32_t>(CurrentClock().tickCount() - start) >= LockWaitMs) return nullptr;
        Delay(LockPollMs);
    }
    return file;
}

// The lock is held only for the append itself, never through a wait, so others get it then.
bool appendWithAttempts(const QString& path, const RecordBytes& record) {
    for (int attempt = 1; attempt <= SharedFileAttempts; ++attempt) {
        std::unique_ptr<LockedResultsFile> file = openForAppend(path);
        if (file) {
            const bool appended = file->append(record);
            file.reset();
            Delay(AttemptWaitMs);
            return appended;
        }
        Delay(AttemptWaitMs);
    }
    return false;
}

// The local file is the user's own: one attempt, and no waiting for a lock; a file system
// that does not lock is appended to without it.
bool appendOnce(const QString& path, const RecordBytes& record) {
    const std::unique_ptr<LockedResultsFile> file = LockedResultsFile::open(path);
    return file && file->tryLock() != LockOutcome::HeldByAnother && file->append(record);
}

// Saving never stops the program: whatever goes wrong counts as a failed save.
template <typename Save>
bool guarded(Save save) {
    try {
        return save();
    } catch (...) {
        return false;
    }
}

}  // namespace

QString ResultsFileName() {
    const SharedState& s = Shared();
    return s.ResultsFilePath + s.TodayText + QStringLiteral(".qzr");
}

// Completing the record cannot fail on what the program gives it; the file work is guarded.
void SaveResults2File() {
    SharedState& s = Shared();
    completeRecord();
    s.SharedResultsFile = ResultsFileName();
    const RecordBytes record = encodeRecord(s.Record);
    if (!guarded([&] { return appendWithAttempts(s.SharedResultsFile, record); }))
        ShowNotice(SharedSaveFailedText);
    if (!guarded([&] { return appendOnce(s.LocalResultsFile, record); }))
        ShowNotice(LocalSaveFailedText);
}
