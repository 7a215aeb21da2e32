// qzt: the teacher's tool for test files.
#include "Description.h"
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
    "       qzt list FILE.qzt                    settings and the first line of every question\n"
    "       qzt dump FILE.qzt                    every question with its answers, the correct one marked\n";

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
    if (args.size() == 3 && args[0] == "write") return writeCommand(args[1], args[2], out, err);
    if (args.size() == 2 && args[0] == "list") return listTestFile(args[1], out, err);
    if (args.size() == 2 && args[0] == "dump") return dumpTestFile(args[1], out, err);
    std::fputs(kUsage, stderr);
    return 2;
}
