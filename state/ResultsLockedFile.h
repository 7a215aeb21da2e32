#pragma once
// A results file opened for appending by one workstation at a time.
// Several workstations append to one shared file: every append happens under an exclusive
// lock, at the true end of the file, and is on disk before the lock is released.
#include "ResultRecord.h"

#include <QString>
#include <cstdint>
#include <memory>

class LockedResultsFile {
public:
    // Opens the file, creating it when missing but never emptying it, and takes the exclusive
    // lock without waiting. Null when the file cannot be opened or another holder has the lock.
    static std::unique_ptr<LockedResultsFile> open(const QString& path);

    ~LockedResultsFile();  // releases the lock and closes
    LockedResultsFile(const LockedResultsFile&) = delete;
    LockedResultsFile& operator=(const LockedResultsFile&) = delete;

    // Appends the record whole or not at all. A partial record left at the end by a crash is kept
    // and padded with zeros to the record boundary first, so every record stays aligned.
    bool append(const RecordBytes& record);

private:
    struct Handle;  // the open file of the operating system
    explicit LockedResultsFile(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> handle_;
};

// Where the next record goes in a file of the given length: the next record boundary.
std::uint64_t nextRecordOffset(std::uint64_t fileLength);
