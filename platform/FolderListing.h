#pragma once
// Reading folders of the file system, each real folder once: links and junctions that lead back
// to a folder already read list nothing again, so a loop in the tree ends.
#include <QString>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

struct FolderEntry {
    QString name;
    bool isFolder = false;  // a link counts as what it points to
};

class FolderVisits {
public:
    // The entries of the folder (a path; empty is the current folder), without "." and "..",
    // sorted by name. False when the folder cannot be read or was read before under any path.
    bool listOnce(const QString& folder, std::vector<FolderEntry>& entries);

private:
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen_;  // device or volume, file number
};
