#pragma once
// The journal: every attempt in the results files of a folder and its subfolders. A record that
// stands in two files (the shared file and a copy) counts once. Refreshing reads only what was
// appended since, so a watched folder shows new attempts at once.
#include "Attempt.h"

#include <QDateTime>
#include <QStringList>
#include <map>
#include <unordered_map>
#include <vector>

class Journal {
public:
    void open(const QString& folder);
    bool refresh();  // true when attempts or warnings changed

    const QString& folder() const { return folder_; }
    const std::vector<Attempt>& attempts() const { return attempts_; }
    QStringList warnings() const;   // "FILE: offset N: ..." and unreadable files
    QStringList filePaths() const;  // every results file read
    QStringList groups() const;     // sorted, each once
    QStringList tests() const;

private:
    struct FileState {
        qint64 wholeEnd = 0;
        qint64 size = -1;
        QDateTime modified;
        QStringList problems;
    };
    void readFile(const QString& path, FileState& state);
    QStringList listFiles() const;

    QString folder_;
    std::map<QString, FileState> files_;
    std::vector<Attempt> attempts_;
    std::unordered_map<std::size_t, QString> fileOfRecord_;
};
