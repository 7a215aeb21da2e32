// A class finishing together: 30 workstations save at the same moment to one shared results file
// whose flush takes 40 ms, as over a network share. Prints how long the last save waited and how
// many saves gave up on the shared file, for the saves as they are against the former attempts
// (29 single tries of the lock, 50 ms apart, about 1.45 s in all), in the same run. Each save also
// appends to a local file of its own, as the program does, through the same slowed flush.
#include "Messages.h"
#include "Notices.h"
#include "ResultsFile.h"
#include "ResultsLockedFile.h"
#include "SharedState.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Writers = 30;
constexpr int SlowFlushMs = 40;

class SlowFlushLayer final : public FileLockLayer {
public:
    LockOutcome tryLock(NativeFile file) override { return SystemLockLayer().tryLock(file); }
    void unlock(NativeFile file) override { SystemLockLayer().unlock(file); }
    bool flush(NativeFile file) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(SlowFlushMs));
        return SystemLockLayer().flush(file);
    }
};

class CountingNotices final : public Notices {
public:
    int shown = 0;
    void notice(const QString&) override { ++shown; }
    bool question(const QString&) override { return false; }
};

enum class Policy { AsTheyAre, FormerAttempts };

bool appendIfLocked(const QString& path, const RecordBytes& record) {
    auto file = LockedResultsFile::open(path);
    return file && file->tryLock() == LockOutcome::Locked && file->append(record);
}

// The saves before the attempts waited for the lock: one try per attempt, then 50 ms.
bool formerSave(const SharedState& s) {
    const RecordBytes record = encodeRecord(s.Record);
    bool shared = false;
    for (int attempt = 1; attempt <= 29 && !shared; ++attempt) {
        shared = appendIfLocked(ResultsFileName(), record);
        Delay(50);
    }
    appendIfLocked(s.LocalResultsFile, record);
    return shared;
}

struct Outcome {
    double waitedMs = 0;
    int gaveUp = 0;
};

Outcome saveOnce(Policy policy, const QString& folder, int writer) {
    SharedState& s = Shared();
    s.ResultsFilePath = folder + "/";
    s.TodayText = "11.12.2026";
    s.LocalResultsFile = folder + QStringLiteral("/local-%1.qzr").arg(writer);
    s.TestTitle = "Class";
    s.QuestionCount = 10;
    s.PointsPerAnswer = 1;
    CountingNotices notices;
    setNotices(&notices);
    const auto start = std::chrono::steady_clock::now();
    const bool sharedSaved = policy == Policy::AsTheyAre ? (SaveResults2File(), notices.shown == 0) : formerSave(s);
    const std::chrono::duration<double, std::milli> waited = std::chrono::steady_clock::now() - start;
    setNotices(nullptr);
    return {waited.count(), sharedSaved ? 0 : 1};
}

struct ClassResult {
    double lastWaitedMs = 0;
    int gaveUp = 0;
    qint64 recordsInSharedFile = 0;
};

// The writers start together when the start pipe closes, and report through the result pipe.
ClassResult runClass(Policy policy) {
    QTemporaryDir dir(QDir::currentPath() + "/bench-class-XXXXXX");
    int startPipe[2], resultPipe[2];
    if (pipe(startPipe) != 0 || pipe(resultPipe) != 0) std::exit(1);
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = fork();
        if (child == 0) {
            close(startPipe[1]);
            char go;
            if (read(startPipe[0], &go, 1) != 0) _exit(1);
            SlowFlushLayer layer;
            setLockLayer(&layer);
            const Outcome outcome = saveOnce(policy, dir.path(), w);
            _exit(write(resultPipe[1], &outcome, sizeof outcome) == sizeof outcome ? 0 : 1);
        }
        children.push_back(child);
    }
    close(startPipe[0]);
    close(startPipe[1]);
    close(resultPipe[1]);
    ClassResult result;
    Outcome outcome;
    while (read(resultPipe[0], &outcome, sizeof outcome) == sizeof outcome) {
        result.lastWaitedMs = std::max(result.lastWaitedMs, outcome.waitedMs);
        result.gaveUp += outcome.gaveUp;
    }
    close(resultPipe[0]);
    for (pid_t child : children) waitpid(child, nullptr, 0);
    result.recordsInSharedFile = QFileInfo(dir.filePath("11.12.2026.qzr")).size() / qint64(RecordSize);
    return result;
}

void print(const char* name, const ClassResult& r) {
    std::printf("%-34s last save waited %7.0f ms   gave up %2d of %d   records in shared file %lld\n", name,
                r.lastWaitedMs, r.gaveUp, Writers, static_cast<long long>(r.recordsInSharedFile));
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    std::printf("%d writers saving at once to one shared file, flush slowed to %d ms\n", Writers, SlowFlushMs);
    for (int round = 1; round <= rounds; ++round) {
        std::printf("round %d\n", round);
        print("  saves as they are (about 10 s):", runClass(Policy::AsTheyAre));
        print("  former attempts (about 1.45 s):", runClass(Policy::FormerAttempts));
    }
    return 0;
}
