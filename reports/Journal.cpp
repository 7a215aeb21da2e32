#include "Journal.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>
#include <set>

void Journal::open(const QString& folder) {
    folder_ = folder;
    files_.clear();
    attempts_.clear();
    fileOfRecord_.clear();
    refresh();
}

QStringList Journal::listFiles() const {
    QStringList paths;
    QDirIterator it(folder_, {QStringLiteral("*.qzr")}, QDir::Files | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) paths << it.next();
    paths.sort();
    return paths;
}

bool Journal::refresh() {
    bool changed = false;
    for (const QString& path : listFiles()) {
        FileState& state = files_[path];
        const QFileInfo info(path);
        if (info.size() == state.size && info.lastModified() == state.modified) continue;
        if (info.size() < state.wholeEnd) {
            // Rewritten shorter: what was read from it may be gone, so read every file again.
            open(folder_);
            return true;
        }
        state.size = info.size();
        state.modified = info.lastModified();
        readFile(path, state);
        changed = true;
    }
    return changed;
}

void Journal::readFile(const QString& path, FileState& state) {
    ResultsFileContents contents = readResultsFile(path, state.wholeEnd);
    if (!contents.readable) {
        state.problems = {QStringLiteral("%1: %2").arg(path, contents.error)};
        state.size = -1;  // try again on the next refresh
        return;
    }
    // Problems of the stretch read before stay, except a torn tail, which the appended bytes complete.
    state.problems.erase(std::remove_if(state.problems.begin(), state.problems.end(),
                                        [](const QString& p) { return p.contains(QLatin1String("partial record")); }),
                         state.problems.end());
    state.problems << contents.problems;
    state.wholeEnd = contents.wholeEnd;
    for (StoredRecord& stored : contents.records) {
        const auto [seen, fresh] = fileOfRecord_.try_emplace(stored.fingerprint, path);
        if (fresh || seen->second == path) attempts_.push_back(attemptOf(std::move(stored), path));
    }
}

QStringList Journal::warnings() const {
    QStringList all;
    for (const auto& [path, state] : files_) all << state.problems;
    return all;
}

QStringList Journal::filePaths() const {
    QStringList paths;
    for (const auto& entry : files_) paths << entry.first;
    return paths;
}

namespace {

QStringList distinct(const std::vector<Attempt>& attempts, QString Attempt::*field) {
    std::set<QString> values;
    for (const Attempt& a : attempts) values.insert(a.*field);
    return QStringList(values.begin(), values.end());
}

}  // namespace

QStringList Journal::groups() const { return distinct(attempts_, &Attempt::group); }
QStringList Journal::tests() const { return distinct(attempts_, &Attempt::test); }
