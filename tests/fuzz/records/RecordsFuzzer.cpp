// Feeds arbitrary bytes to the results file reader, as a file of a share anyone can write, and
// runs what the journal does with the records it keeps.
#include "Attempt.h"
#include "ItemAnalysis.h"
#include "JournalView.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.qzr"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const ResultsFileContents contents = readResultsFile(path, size > RecordSize ? qint64(RecordSize) : 0);
    std::vector<Attempt> attempts;
    for (const StoredRecord& stored : contents.records) attempts.push_back(attemptOf(stored, path));
    const std::vector<const Attempt*> shown = filteredAttempts(attempts, {});
    totalsOf(shown, MarkSettings{});
    itemAnalysisJson(analyseItems(shown));
    return 0;
}
