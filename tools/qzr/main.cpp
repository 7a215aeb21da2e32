// qzr: reads results files (.qzr) for teachers.
//   qzr list FILE...   a table    qzr csv FILE...   UTF-8 CSV    qzr json FILE...   JSON
// Stretches that are not whole records are named on stderr; the exit code is 1 only when a file
// could not be read, 2 on a wrong command line.
#include "ResultsFileReader.h"
#include "ResultsReport.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <map>

namespace {

void writeTo(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int usage() {
    writeTo(stderr, QStringLiteral("usage: qzr list|csv|json FILE...\n"));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const std::map<QString, std::function<QString(const std::vector<ResultRow>&)>> reports = {
        {QStringLiteral("list"), listReport},
        {QStringLiteral("csv"), csvReport},
        {QStringLiteral("json"), jsonReport}};
    if (arguments.size() < 2 || !reports.count(arguments.front())) return usage();

    int exitCode = 0;
    std::vector<ResultRow> rows;
    for (const QString& path : arguments.mid(1)) {
        const ResultsFileContents contents = readResultsFile(path);
        if (!contents.readable) {
            writeTo(stderr, QStringLiteral("qzr: cannot read %1: %2\n").arg(path, contents.error));
            exitCode = 1;
        }
        for (const QString& problem : contents.problems) writeTo(stderr, problem + QLatin1Char('\n'));
        for (const ResultRecord& record : contents.records) rows.push_back(rowOf(record));
    }
    writeTo(stdout, reports.at(arguments.front())(rows));
    return exitCode;
}
