#include "Catalogue.h"

#include "SharedState.h"

#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

struct FolderEntry {
    std::string name;  // bytes as the file system holds them
    unsigned char type;  // d_type: DT_DIR, DT_LNK, DT_UNKNOWN, ...
};

// A folder being listed: its entries in name order, and the match of the folder itself, which
// is appended only once everything inside has been listed.
struct Frame {
    QString prefix;
    std::string bytePrefix;
    std::vector<FolderEntry> entries;
    std::size_t next = 0;
    QString matchAfterContents;
};

using FolderIdentity = std::pair<dev_t, ino_t>;

std::string openablePath(const std::string& bytePrefix) {
    return bytePrefix.empty() ? std::string(".") : bytePrefix;
}

// Reads the whole folder and closes it at once, so a deep tree never holds more than one open.
// Returns false when it cannot be opened or was listed before under another path.
bool readFolder(const std::string& bytePrefix, std::set<FolderIdentity>& visited,
                std::vector<FolderEntry>& entries) {
    DIR* dir = opendir(openablePath(bytePrefix).c_str());
    if (!dir) return false;
    struct stat info {};
    if (fstat(dirfd(dir), &info) != 0 || !visited.insert({info.st_dev, info.st_ino}).second) {
        closedir(dir);
        return false;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") entries.push_back({name, entry->d_type});
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return true;
}

// Links count as what they point to, as the folder attribute of the enumeration would show.
bool isFolder(const std::string& path, unsigned char type) {
    if (type == DT_DIR) return true;
    if (type != DT_LNK && type != DT_UNKNOWN) return false;
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool sameLetter(QChar a, QChar b) { return a == b || a.toCaseFolded() == b.toCaseFolded(); }

}  // namespace

bool matchesMask(const QString& name, const QString& mask) {
    // Greedy, going back only to the last star: at most name length times mask length steps.
    qsizetype n = 0, m = 0, starAt = -1, resumeName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == QLatin1Char('*')) {
            starAt = m++;
            resumeName = n;
        } else if (m < mask.size() &&
                   (mask[m] == QLatin1Char('?') ||
                    sameLetter(mask[m], name[n]))) {
            ++m;
            ++n;
        } else if (starAt >= 0) {
            m = starAt + 1;
            n = ++resumeName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*')) ++m;
    return m == mask.size();
}

void FindTestFiles(const QString& folder, const QString& mask) {
    QStringList& found = Shared().TestFileList;
    std::set<FolderIdentity> visited;
    std::vector<Frame> stack;
    Frame root{folder, QFile::encodeName(folder).toStdString(), {}, 0, {}};
    if (!readFolder(root.bytePrefix, visited, root.entries)) return;
    stack.push_back(std::move(root));

    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.entries.size()) {
            const QString finishedFolderMatch = std::move(frame.matchAfterContents);
            stack.pop_back();
            if (!finishedFolderMatch.isEmpty()) found.append(finishedFolderMatch);
            continue;
        }
        const FolderEntry& entry = frame.entries[frame.next++];
        const QString name = QFile::decodeName(entry.name.c_str());
        const QString path = frame.prefix + name;
        const bool matches = matchesMask(name, mask);
        const std::string bytePath = frame.bytePrefix + entry.name;
        if (isFolder(bytePath, entry.type)) {
            Frame child{path + QLatin1Char('/'), bytePath + '/', {}, 0, matches ? path : QString()};
            if (readFolder(child.bytePrefix, visited, child.entries)) {
                stack.push_back(std::move(child));  // invalidates frame
                continue;
            }
        }
        if (matches) found.append(path);
    }
}
