#include "ResultsLockedFile.h"

#include <QFile>

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

FileLockLayer* replacementLayer = nullptr;

}  // namespace

std::uint64_t nextRecordOffset(std::uint64_t fileLength) {
    return fileLength / RecordSize * RecordSize;
}

FileLockLayer& CurrentLockLayer() { return replacementLayer ? *replacementLayer : SystemLockLayer(); }

void setLockLayer(FileLockLayer* replacement) { replacementLayer = replacement; }

#ifdef _WIN32

namespace {

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED place{};
    place.Offset = static_cast<DWORD>(offset);
    place.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return place;
}

class WindowsLockLayer final : public FileLockLayer {
public:
    LockOutcome tryLock(NativeFile file) override {
        OVERLAPPED place = at(LockOffset);
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place))
            return LockOutcome::Locked;
        return lockOutcomeOfError(static_cast<long>(GetLastError()));
    }
    void unlock(NativeFile file) override {
        OVERLAPPED place = at(LockOffset);
        UnlockFileEx(file, 0, 1, 0, &place);
    }
    bool flush(NativeFile file) override { return FlushFileBuffers(file); }
};

}  // namespace

// Only these errors mean that another process holds the lock; any other refusal comes from a
// file system or share that does not lock (ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION, ...).
LockOutcome lockOutcomeOfError(long systemError) {
    const bool contention = systemError == ERROR_LOCK_VIOLATION || systemError == ERROR_SHARING_VIOLATION ||
                            systemError == ERROR_LOCKED;
    return contention ? LockOutcome::HeldByAnother : LockOutcome::Refused;
}

FileLockLayer& SystemLockLayer() {
    static WindowsLockLayer layer;
    return layer;
}

struct LockedResultsFile::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;

    NativeFile native() const { return file; }
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
    if (handle->file == INVALID_HANDLE_VALUE || GetFileType(handle->file) != FILE_TYPE_DISK) return nullptr;
    return std::unique_ptr<LockedResultsFile>(new LockedResultsFile(std::move(handle)));
}

#else

namespace {

class PosixLockLayer final : public FileLockLayer {
public:
    LockOutcome tryLock(NativeFile file) override {
        if (setLock(file, F_WRLCK)) return LockOutcome::Locked;
        return lockOutcomeOfError(errno);
    }
    void unlock(NativeFile file) override { setLock(file, F_UNLCK); }
    bool flush(NativeFile file) override { return fsync(file) == 0; }

private:
    static bool setLock(int fd, short type) {
        struct flock range {};
        range.l_type = type;
        range.l_whence = SEEK_SET;
        range.l_start = static_cast<off_t>(LockOffset);
        range.l_len = 1;
        return fcntl(fd, F_SETLK, &range) == 0;
    }
};

}  // namespace

// Only these errors mean that another process holds the lock; any other refusal comes from a
// file system that does not lock (ENOLCK from NFS without a lock daemon, EOPNOTSUPP, EINVAL).
LockOutcome lockOutcomeOfError(long systemError) {
    const bool contention = systemError == EACCES || systemError == EAGAIN || systemError == EINTR;
    return contention ? LockOutcome::HeldByAnother : LockOutcome::Refused;
}

FileLockLayer& SystemLockLayer() {
    static PosixLockLayer layer;
    return layer;
}

struct LockedResultsFile::Handle {
    int fd = -1;

    NativeFile native() const { return fd; }
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
    const QByteArray name = QFile::encodeName(path);
    constexpr int flags = O_RDWR | O_CLOEXEC | O_NOCTTY;
    handle->fd = ::open(name.constData(), flags | O_CREAT | O_EXCL, 0666);
    // The day's file is shared: the next student, under another account, must be able to append.
    if (handle->fd >= 0) ::fchmod(handle->fd, 0666);
    else if (errno == EEXIST) handle->fd = ::open(name.constData(), flags);
    // Only plain files: writing to a pipe or a device could block for ever.
    if (handle->fd < 0 || !handle->isRegularFile()) return nullptr;
    return std::unique_ptr<LockedResultsFile>(new LockedResultsFile(std::move(handle)));
}

#endif

LockedResultsFile::LockedResultsFile(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

LockedResultsFile::~LockedResultsFile() {
    if (locked_) CurrentLockLayer().unlock(handle_->native());
}

LockOutcome LockedResultsFile::tryLock() {
    const LockOutcome outcome = CurrentLockLayer().tryLock(handle_->native());
    locked_ = outcome == LockOutcome::Locked;
    return outcome;
}

bool LockedResultsFile::append(const RecordBytes& record) {
    std::uint64_t length = 0;
    if (!handle_->length(length)) return false;
    const std::uint64_t offset = nextRecordOffset(length);
    if (handle_->writeAt(offset, record.data(), record.size()) && CurrentLockLayer().flush(handle_->native()))
        return true;
    // Whole or not at all: take back whatever part reached the file. Without the lock another
    // workstation may have appended behind us, so the part stays for the next append to cover.
    if (locked_) handle_->truncateTo(offset);
    return false;
}
