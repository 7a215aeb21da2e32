#include "ResultsLockedFile.h"

#include <QFile>
#include <vector>

#ifdef _WIN32
#include <QDir>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The lock covers one byte far beyond any data rather than the data itself: where range locks
// are mandatory (Windows, and SMB shares), readers of the file are then never refused.
constexpr std::int64_t LockOffset = std::int64_t(1) << 62;

}  // namespace

std::uint64_t nextRecordOffset(std::uint64_t fileLength) {
    return (fileLength + RecordSize - 1) / RecordSize * RecordSize;
}

#ifdef _WIN32

struct LockedResultsFile::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;

    OVERLAPPED at(std::uint64_t offset) const {
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(offset);
        place.OffsetHigh = static_cast<DWORD>(offset >> 32);
        return place;
    }
    bool lock() {
        OVERLAPPED place = at(LockOffset);
        return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place);
    }
    void unlock() {
        OVERLAPPED place = at(LockOffset);
        UnlockFileEx(file, 0, 1, 0, &place);
    }
    bool length(std::uint64_t& out) const {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(file, &size)) return false;
        out = static_cast<std::uint64_t>(size.QuadPart);
        return true;
    }
    bool writeAt(std::uint64_t offset, const std::uint8_t* data, std::size_t count) {
        while (count > 0) {
            OVERLAPPED place = at(offset);
            DWORD written = 0;
            if (!WriteFile(file, data, static_cast<DWORD>(count), &written, &place) || written == 0)
                return false;
            offset += written;
            data += written;
            count -= written;
        }
        return true;
    }
    void truncateTo(std::uint64_t length) {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(length);
        if (SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) SetEndOfFile(file);
    }
    bool flush() { return FlushFileBuffers(file); }
    ~Handle() {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
};

std::unique_ptr<LockedResultsFile> LockedResultsFile::open(const QString& path) {
    auto handle = std::make_unique<Handle>();
    const QString native = QDir::toNativeSeparators(path);
    handle->file = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle->file == INVALID_HANDLE_VALUE || GetFileType(handle->file) != FILE_TYPE_DISK ||
        !handle->lock())
        return nullptr;
    return std::unique_ptr<LockedResultsFile>(new LockedResultsFile(std::move(handle)));
}

#else

struct LockedResultsFile::Handle {
    int fd = -1;

    bool setLock(short type) {
        struct flock range {};
        range.l_type = type;
        range.l_whence = SEEK_SET;
        range.l_start = static_cast<off_t>(LockOffset);
        range.l_len = 1;
        return fcntl(fd, F_SETLK, &range) == 0;
    }
    bool lock() { return setLock(F_WRLCK); }
    void unlock() { setLock(F_UNLCK); }
    bool length(std::uint64_t& out) const {
        struct stat status {};
        if (fstat(fd, &status) != 0) return false;
        out = static_cast<std::uint64_t>(status.st_size);
        return true;
    }
    bool writeAt(std::uint64_t offset, const std::uint8_t* data, std::size_t count) {
        while (count > 0) {
            const ssize_t written = pwrite(fd, data, count, static_cast<off_t>(offset));
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            offset += static_cast<std::uint64_t>(written);
            data += written;
            count -= static_cast<std::size_t>(written);
        }
        return true;
    }
    void truncateTo(std::uint64_t length) {
        while (ftruncate(fd, static_cast<off_t>(length)) != 0 && errno == EINTR) {
        }
    }
    bool flush() { return fsync(fd) == 0; }
    bool isRegularFile() const {
        struct stat status {};
        return fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    }
    ~Handle() {
        if (fd >= 0) close(fd);
    }
};

static_assert(sizeof(off_t) >= 8, "the lock byte lies beyond 2^32");

std::unique_ptr<LockedResultsFile> LockedResultsFile::open(const QString& path) {
    auto handle = std::make_unique<Handle>();
    // No O_TRUNC: a file another workstation created a moment ago keeps its records.
    handle->fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    // Only plain files: writing to a pipe or a device could block for ever.
    if (handle->fd < 0 || !handle->isRegularFile() || !handle->lock()) return nullptr;
    return std::unique_ptr<LockedResultsFile>(new LockedResultsFile(std::move(handle)));
}

#endif

LockedResultsFile::LockedResultsFile(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

LockedResultsFile::~LockedResultsFile() { handle_->unlock(); }

bool LockedResultsFile::append(const RecordBytes& record) {
    std::uint64_t length = 0;
    if (!handle_->length(length)) return false;
    const std::uint64_t padding = nextRecordOffset(length) - length;
    std::vector<std::uint8_t> bytes(padding, 0);
    bytes.insert(bytes.end(), record.begin(), record.end());
    if (handle_->writeAt(length, bytes.data(), bytes.size()) && handle_->flush()) return true;
    // Whole or not at all: take back whatever part reached the file.
    handle_->truncateTo(length);
    return false;
}
