#pragma once
// A results file opened for appending by one workstation at a time.
// Several workstations append to one shared file: every append happens under an exclusive
// lock, at the last record boundary of the file, and is on disk before the lock is released.
#include "ResultRecord.h"

#include <QString>
#include <cstdint>
#include <memory>

#ifdef _WIN32
using NativeFile = void*;  // HANDLE
#else
using NativeFile = int;  // file descriptor
#endif

enum class LockOutcome {
    Locked,         // ours until the file is closed
    HeldByAnother,  // another workstation is appending; worth trying again
    Refused,        // the file system does not lock at all (a share without a lock service)
};

// What the error of a lock call that failed means: errno, or GetLastError() on Windows.
LockOutcome lockOutcomeOfError(long systemError);

// The calls that make an append safe among workstations: the lock and the flush to disk.
// Tests and benchmarks put a layer of their own in front of the system's to refuse, count or slow.
class FileLockLayer {
public:
    virtual ~FileLockLayer() = default;
    virtual LockOutcome tryLock(NativeFile file) = 0;  // never waits
    virtual void unlock(NativeFile file) = 0;
    virtual bool flush(NativeFile file) = 0;
};

FileLockLayer& SystemLockLayer();
FileLockLayer& CurrentLockLayer();
void setLockLayer(FileLockLayer* replacement);  // nullptr puts the system's layer back

class LockedResultsFile {
public:
    // Opens the file, creating it when missing but never emptying it. Null when it cannot be
    // opened or is not a plain file. The lock is not taken yet.
    static std::unique_ptr<LockedResultsFile> open(const QString& path);

    ~LockedResultsFile();  // releases the lock, if taken, and closes
    LockedResultsFile(const LockedResultsFile&) = delete;
    LockedResultsFile& operator=(const LockedResultsFile&) = delete;

    LockOutcome tryLock();

    // Appends the record whole or not at all. A partial record left at the end by a crash is no
    // result of anyone's: the record is written over it, so every record stays aligned.
    bool append(const RecordBytes& record);

private:
    struct Handle;  // the open file of the operating system
    explicit LockedResultsFile(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> handle_;
    bool locked_ = false;
};

// Where the next record goes in a file of the given length: the end of its last whole record.
std::uint64_t nextRecordOffset(std::uint64_t fileLength);
