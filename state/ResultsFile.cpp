#include "ResultsFile.h"

#include "Clock.h"
#include "Cp1251.h"
#include "DateTimeText.h"
#include "Messages.h"
#include "Notices.h"
#include "ResultsLockedFile.h"
#include "SharedState.h"

namespace {

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

// The lock is held only for the append itself, not through the wait that follows it.
bool appendWithAttempts(const QString& path, const RecordBytes& record) {
    for (int attempt = 1; attempt <= SharedFileAttempts; ++attempt) {
        std::unique_ptr<LockedResultsFile> file = LockedResultsFile::open(path);
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

bool appendOnce(const QString& path, const RecordBytes& record) {
    const std::unique_ptr<LockedResultsFile> file = LockedResultsFile::open(path);
    return file && file->append(record);
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
