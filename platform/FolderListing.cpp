#include "FolderListing.h"

#include <QFile>
#include <algorithm>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

std::function<bool(const QString&)> folderRefusal;

bool refused(const QString& folder) { return folderRefusal && folderRefusal(folder); }

}  // namespace

void setFolderRefusal(std::function<bool(const QString& folder)> refuses) { folderRefusal = std::move(refuses); }

bool listsBefore(const QString& a, const QString& b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t upperA = a[i].toUpper().unicode(), upperB = b[i].toUpper().unicode();
        if (upperA != upperB) return upperA < upperB;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

#ifdef _WIN32

namespace {

std::wstring widePath(const QString& folder) {
    return (folder.isEmpty() ? QStringLiteral(".") : folder).toStdWString();
}

// The volume and file number of the folder, the same whatever path or junction led to it.
bool folderIdentity(const std::wstring& folder, std::pair<std::uint64_t, std::uint64_t>& identity) {
    const HANDLE handle = CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    identity = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return known;
}

}  // namespace

bool FolderVisits::listOnce(const QString& folder, std::vector<FolderEntry>& entries) {
    if (refused(folder)) return false;
    const std::wstring path = widePath(folder);
    std::pair<std::uint64_t, std::uint64_t> identity;
    if (!folderIdentity(path, identity) || !seen_.insert(identity).second) return false;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = path + (path.back() == L'/' || path.back() == L'\\' ? L"*" : L"\\*");
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

#else

namespace {

struct ListedName {
    std::string bytes;   // as the file system holds them
    unsigned char type;  // d_type: DT_DIR, DT_LNK, DT_UNKNOWN, ...
};

bool pointsToFolder(const std::string& path, unsigned char type) {
    if (type == DT_DIR) return true;
    if (type != DT_LNK && type != DT_UNKNOWN) return false;
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

// Reads the whole folder and closes it at once, so a deep tree never holds more than one open.
bool FolderVisits::listOnce(const QString& folder, std::vector<FolderEntry>& entries) {
    if (refused(folder)) return false;
    std::string prefix = QFile::encodeName(folder).toStdString();
    DIR* dir = opendir(prefix.empty() ? "." : prefix.c_str());
    if (!dir) return false;
    struct stat info {};
    if (fstat(dirfd(dir), &info) != 0 || !seen_.insert({info.st_dev, info.st_ino}).second) {
        closedir(dir);
        return false;
    }
    std::vector<ListedName> names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back({name, entry->d_type});
    }
    closedir(dir);
    if (!prefix.empty() && prefix.back() != '/') prefix += '/';
    entries.reserve(names.size());
    for (const ListedName& name : names)
        entries.push_back({QFile::decodeName(name.bytes.c_str()), pointsToFolder(prefix + name.bytes, name.type)});
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return listsBefore(a.name, b.name); });
    return true;
}

#endif
