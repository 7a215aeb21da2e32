#include "Catalogue.h"

#include "FolderListing.h"
#include "SharedState.h"

#include <vector>

namespace {

// A folder being listed: its entries in listing order, and the match of the folder itself, which
// is appended only once everything inside has been listed.
struct Frame {
    QString prefix;
    std::vector<FolderEntry> entries;
    std::size_t next = 0;
    QString matchAfterContents;
};

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
    FolderVisits visits;
    std::vector<Frame> stack;
    Frame root{folder, {}, 0, {}};
    if (!visits.listOnce(root.prefix, root.entries)) return;
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
        const QString path = frame.prefix + entry.name;
        const bool matches = matchesMask(entry.name, mask);
        if (entry.isFolder) {
            Frame child{path + QLatin1Char('/'), {}, 0, matches ? path : QString()};
            if (visits.listOnce(child.prefix, child.entries)) {
                stack.push_back(std::move(child));  // invalidates frame
                continue;
            }
        }
        if (matches) found.append(path);
    }
}
