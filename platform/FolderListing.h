#pragma once
// Reading folders of the file system, each real folder once: links and junctions that lead back
// to a folder already read list nothing again, so a loop in the tree ends.
#include <QString>
#include <cstdint>
#include <functional>
#include <set>
#include <utility>
#include <vector>

struct FolderEntry {
    QString name;
    bool isFolder = false;  // a link counts as what it points to
};

class FolderVisits {
public:
    // The entries of the folder (a path; empty is the current folder), without "." and "..". On
    // Windows they come in the file system's own order; elsewhere, where that order is a hash
    // order, in the order Windows lists them: case-insensitively by upper-cased UTF-16 code
    // units. False when the folder cannot be read or was read before under any path.
    bool listOnce(const QString& folder, std::vector<FolderEntry>& entries);

private:
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen_;  // device or volume, file number
};

// Stands in for the file system's refusal to read chosen folders; permission bits alone cannot
// show it to a test that runs as root. An empty function leaves the decision to the file system.
void setFolderRefusal(std::function<bool(const QString& folder)> refuses);

// Whether a lists before b in the order Windows gives: by upper-cased UTF-16 code units, names
// that differ only in case bytewise, so the order never depends on how the folder was read.
bool listsBefore(const QString& a, const QString& b);
