// qzt: the teacher's tool for test files.
#include "BankFormats.h"
#include "Description.h"
#include "ImportReport.h"
#include "TestDocumentFile.h"
#include "TestFileBuilder.h"
#include "TestFileReport.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <exception>

namespace {

const char kUsage[] =
    "usage: qzt write DESCRIPTION.json OUT.qzt   build a test file from a JSON description\n"
    "       qzt convert [--from F] [--to F] IN OUT\n"
    "                                            move questions between test files and question banks\n"
    "                                            (qzt, gift, aiken, moodle-xml, rtf, text, csv, json;\n"
    "                                            chosen by the file endings unless named)\n"
    "       qzt list FILE.qzt                    settings and the first line of every question\n"
    "       qzt dump FILE.qzt                    every question with its answers, the correct one marked\n"
    "       qzt --help | --version\n"
    "exit status: 0 done, 1 input not read or nothing converted, 2 usage error\n";

// Test files take part in conversions like any question bank.
void registerTestFileFormat() {
    registerBankFormat({"qzt", {"qzt"},
                        [](const QString& path) {
                            ImportResult result{readTestDocument(path), {}};
                            result.report.imported = static_cast<int>(result.document.questions.size());
                            return result;
                        },
                        [](const TestDocument& test, const QString& path) { writeTestDocument(path, test); }});
}

int convertCommand(QStringList args, QTextStream& out, QTextStream& err) {
    QString from, to;
    for (const char* option : {"--from", "--to"}) {
        const qsizetype at = args.indexOf(QString::fromLatin1(option));
        if (at < 0) continue;
        if (at + 1 >= args.size()) return 2;
        (QLatin1String(option) == QLatin1String("--from") ? from : to) = args[at + 1];
        args.remove(at, 2);
    }
    if (args.size() != 2) return 2;
    try {
        registerTestFileFormat();
        const ConversionSummary summary = convertFile(args[0], args[1], from, to);
        out << summary.text << Qt::flush;
        return summary.written ? 0 : 1;
    } catch (const std::exception& error) {
        err << "qzt: " << QString::fromUtf8(error.what()) << Qt::endl;
        return 1;
    }
}

int writeCommand(const QString& jsonPath, const QString& outPath, QTextStream& out, QTextStream& err) {
    try {
        const TestSpec spec = readDescription(jsonPath);
        writeTestFile(outPath.toStdString(), spec);
        out << outPath << ": " << spec.questions.size() << " questions" << Qt::endl;
        return 0;
    } catch (const std::exception& error) {
        err << "qzt: " << QString::fromUtf8(error.what()) << Qt::endl;
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Documents are laid out to read their text, never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout), err(stderr);
    if (args.size() == 1 && args[0] == "--help") return std::fputs(kUsage, stdout), 0;
    if (args.size() == 1 && args[0] == "--version") return out << "qzt " QUIZZARD_VERSION << Qt::endl, 0;
    if (!args.isEmpty() && args[0] == "convert") {
        const int status = convertCommand(args.mid(1), out, err);
        if (status == 2) std::fputs(kUsage, stderr);
        return status;
    }
    if (args.size() == 3 && args[0] == "write") return writeCommand(args[1], args[2], out, err);
    if (args.size() == 2 && args[0] == "list") return listTestFile(args[1], out, err);
    if (args.size() == 2 && args[0] == "dump") return dumpTestFile(args[1], out, err);
    std::fputs(kUsage, stderr);
    return 2;
}
