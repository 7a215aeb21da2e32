#include "ReadAt.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

#ifdef _WIN32

qint64 readAt(QFile& file, qint64 offset, char* data, qint64 bytes) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE || bytes > qint64{MAXDWORD}) return -1;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(handle, data, static_cast<DWORD>(bytes), &read, &at))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return read;
}

#else

qint64 readAt(QFile& file, qint64 offset, char* data, qint64 bytes) {
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t read = ::pread(file.handle(), data + done, static_cast<size_t>(bytes - done), offset + done);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return -1;
        if (read == 0) break;
        done += read;
    }
    return done;
}

#endif
