// qzr: reads results files (.qzr) for teachers. See usageText for the commands.
// Stretches that are not whole records are named on stderr. Exit codes: 0 done, 1 a file could
// not be read or an output not written, 2 a wrong command line.
#include "Attempt.h"
#include "ClassReport.h"
#include "ItemAnalysis.h"
#include "JournalXlsx.h"
#include "ResultsReport.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

namespace {

const char* const UsageText =
    "usage: qzr list|csv|json FILE...      the records as a table, CSV or JSON\n"
    "       qzr xlsx OUT.xlsx FILE...      the records as a spreadsheet\n"
    "       qzr stats [--json] FILE...     item analysis per test title\n"
    "       qzr report OUT.pdf FILE...     a class report\n"
    "       qzr --help | --version\n"
    "Exit codes: 0 done, 1 a file could not be read or written, 2 a wrong command line.\n";

void writeTo(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int usage() {
    writeTo(stderr, QString::fromLatin1(UsageText));
    return 2;
}

struct ReadFiles {
    std::vector<Attempt> attempts;
    int exitCode = 0;
    std::vector<const Attempt*> all() const {
        std::vector<const Attempt*> pointers;
        for (const Attempt& a : attempts) pointers.push_back(&a);
        return pointers;
    }
};

ReadFiles readFiles(const QStringList& paths) {
    ReadFiles read;
    for (const QString& path : paths) {
        const ResultsFileContents contents = readResultsFile(path);
        if (!contents.readable) {
            writeTo(stderr, QStringLiteral("qzr: cannot read %1: %2\n").arg(path, contents.error));
            read.exitCode = 1;
        }
        for (const QString& problem : contents.problems) writeTo(stderr, problem + QLatin1Char('\n'));
        for (const StoredRecord& stored : contents.records) read.attempts.push_back(attemptOf(stored, path));
    }
    return read;
}

QString statsText(const std::vector<TestStats>& tests) {
    QString text;
    for (const TestStats& t : tests) {
        text += QStringLiteral("%1: %2 attempts\n").arg(t.title).arg(t.attempts);
        text += QStringLiteral("row  asked  correct  unanswered  chosen 1..5          facility  discrimination\n");
        for (const QuestionStats& q : t.questions) {
            QStringList chosen;
            for (int c : q.chosen) chosen << QString::number(c);
            QString flags;
            if (q.tooEasy) flags += QStringLiteral(" too-easy");
            if (q.tooHard) flags += QStringLiteral(" too-hard");
            if (q.likelyWrongKey) flags += QStringLiteral(" likely-wrong-key");
            text += QStringLiteral("%1 %2 %3 %4  %5 %6  %7%8\n")
                        .arg(q.row, 3).arg(q.asked, 6).arg(q.correct, 8).arg(q.unanswered, 11)
                        .arg(chosen.join(QLatin1Char(' ')), -19)
                        .arg(q.facility, 8, 'f', 3)
                        .arg(q.discrimination ? QString::number(*q.discrimination, 'f', 3) : QStringLiteral("-"), 14)
                        .arg(flags);
        }
    }
    return text;
}

int textCommand(const QString& command, const QStringList& files) {
    const std::map<QString, std::function<QString(const std::vector<ResultRow>&)>> reports = {
        {QStringLiteral("list"), listReport}, {QStringLiteral("csv"), csvReport}, {QStringLiteral("json"), jsonReport}};
    const ReadFiles read = readFiles(files);
    std::vector<ResultRow> rows;
    for (const Attempt& a : read.attempts) rows.push_back(rowOf(a.record));
    writeTo(stdout, reports.at(command)(rows));
    return read.exitCode;
}

int statsCommand(QStringList arguments) {
    const bool json = arguments.removeAll(QStringLiteral("--json")) > 0;
    if (arguments.isEmpty()) return usage();
    const ReadFiles read = readFiles(arguments);
    const std::vector<TestStats> tests = analyseItems(read.all());
    writeTo(stdout, json ? itemAnalysisJson(tests) : statsText(tests));
    return read.exitCode;
}

int fileCommand(const QString& command, const QString& out, const QStringList& files) {
    const ReadFiles read = readFiles(files);
    const MarkSettings marks;
    const QString error = command == QLatin1String("xlsx")
                              ? writeJournalXlsx(out, read.all(), marks)
                              : writeClassReportPdf(out, englishReportTexts(read.all(), marks), read.all(), marks);
    if (error.isEmpty()) return read.exitCode;
    writeTo(stderr, QStringLiteral("qzr: %1\n").arg(error));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool paints = argc > 1 && QByteArray(argv[1]) == "report";
    // Only the report paints; it needs fonts but no screen.
    if (paints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(paints ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.value(0);
    if (command == QLatin1String("--help")) {
        writeTo(stdout, QString::fromLatin1(UsageText));
        return 0;
    }
    if (command == QLatin1String("--version")) {
        writeTo(stdout, QStringLiteral("qzr %1\n").arg(QStringLiteral(QUIZZARD_VERSION)));
        return 0;
    }
    if (arguments.size() < 2) return usage();
    if (command == QLatin1String("list") || command == QLatin1String("csv") || command == QLatin1String("json"))
        return textCommand(command, arguments.mid(1));
    if (command == QLatin1String("stats")) return statsCommand(arguments.mid(1));
    if ((command == QLatin1String("xlsx") || command == QLatin1String("report")) && arguments.size() >= 3)
        return fileCommand(command, arguments[1], arguments.mid(2));
    return usage();
}
