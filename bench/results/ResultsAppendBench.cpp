// Appends per second with 16 writer processes on one local file: the locked, synced append of
// the results files against the same number of plain unlocked write() calls, in the same run.
// The 50 ms wait of a real save is left out; a writer that finds the lock taken retries at once
// after a short sleep.
#include "ResultsLockedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Writers = 16;

bool lockedAppends(const QString& path, int count) {
    const RecordBytes record{};
    for (int i = 0; i < count; ++i) {
        for (;;) {
            auto file = LockedResultsFile::open(path);
            if (!file) return false;
            if (file->tryLock() == LockOutcome::Locked) {
                if (!file->append(record)) return false;
                break;
            }
            file.reset();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return true;
}

bool plainWrites(const QString& path, int count) {
    const int fd = open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return false;
    const RecordBytes record{};
    for (int i = 0; i < count; ++i)
        if (write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size())) return false;
    return close(fd) == 0;
}

// Wall time of Writers processes each doing the work at once, in seconds; negative on failure.
double timeWriters(const std::function<bool()>& work) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = fork();
        if (child == 0) _exit(work() ? 0 : 1);
        children.push_back(child);
    }
    bool allDone = true;
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        allDone = allDone && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return allDone ? elapsed.count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int perWriter = argc > 1 ? std::atoi(argv[1]) : 250;
    QTemporaryDir dir(QDir::currentPath() + "/bench-results-XXXXXX");
    const QString locked = dir.filePath("locked.qzr"), plain = dir.filePath("plain.qzr");

    const double plainSeconds = timeWriters([&] { return plainWrites(plain, perWriter); });
    const double lockedSeconds = timeWriters([&] { return lockedAppends(locked, perWriter); });
    if (plainSeconds < 0 || lockedSeconds < 0) {
        std::fprintf(stderr, "a writer failed\n");
        return 1;
    }
    const double appends = double(Writers) * perWriter;
    const double plainRate = appends / plainSeconds, lockedRate = appends / lockedSeconds;
    std::printf("%d writers x %d records of %zu bytes on one file\n", Writers, perWriter, RecordSize);
    std::printf("plain unlocked write():        %10.0f appends/s\n", plainRate);
    std::printf("locked append (lock, fsync):   %10.0f appends/s\n", lockedRate);
    std::printf("locked / plain:                %10.4f\n", lockedRate / plainRate);
    std::printf("file sizes match: %s\n",
                QFileInfo(locked).size() == QFileInfo(plain).size() ? "yes" : "NO");
    return 0;
}
