// Runs the real append code from a process of its own, for the tests of concurrent writers.
//   append PATH WRITER COUNT   appends COUNT records, retrying while another writer has the lock
//   hold PATH MS               takes the lock, prints "locked", keeps it for MS milliseconds
//   try-lock PATH              exits with 0 when it gets the lock at once, 5 when it is taken
//   append-capped PATH BYTES   appends one record with the file size limited to BYTES
#include "ResultsLockedFile.h"
#include "WriterRecord.h"

#include <QString>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

std::unique_ptr<LockedResultsFile> openLocked(const QString& path) {
    auto file = LockedResultsFile::open(path);
    if (!file || file->tryLock() != LockOutcome::Locked) return nullptr;
    return file;
}

bool appendRetrying(const QString& path, const RecordBytes& record) {
    for (;;) {
        if (auto file = openLocked(path)) return file->append(record);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

int appendMany(const QString& path, int writer, int count) {
    for (int sequence = 0; sequence < count; ++sequence)
        if (!appendRetrying(path, writerRecord(writer, sequence))) return 3;
    return 0;
}

int hold(const QString& path, int ms) {
    auto file = openLocked(path);
    if (!file) return 4;
    std::printf("locked\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 0;
}

int tryLock(const QString& path) { return openLocked(path) ? 0 : 5; }

int appendCapped(const QString& path, long bytes) {
    std::signal(SIGXFSZ, SIG_IGN);  // past the limit a write fails with EFBIG instead
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    setrlimit(RLIMIT_FSIZE, &limit);
    auto file = openLocked(path);
    if (!file) return 4;
    return file->append(writerRecord(1, 1)) ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (mode == "append" && argc == 5) return appendMany(path, std::atoi(argv[3]), std::atoi(argv[4]));
    if (mode == "try-lock") return tryLock(path);
    if (argc < 4) return 2;
    if (mode == "hold") return hold(path, std::atoi(argv[3]));
    if (mode == "append-capped") return appendCapped(path, std::atol(argv[3]));
    return 2;
}
