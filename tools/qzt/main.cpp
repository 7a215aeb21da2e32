// qzt: the teacher's tool for test files.
#include "Description.h"
#include "TestFileBuilder.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {

const char kUsage[] =
    "usage: qzt write DESCRIPTION.json OUT.qzt   build a test file from a JSON description\n";

int complain(const QString& message) {
    std::fprintf(stderr, "qzt: %s\n", message.toUtf8().constData());
    return 1;
}

int writeCommand(const QString& jsonPath, const QString& outPath) {
    const TestSpec spec = readDescription(jsonPath);
    writeTestFile(outPath.toStdString(), spec);
    std::printf("%s: %zu questions\n", outPath.toUtf8().constData(), spec.questions.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 3 && args[0] == "write") return writeCommand(args[1], args[2]);
    } catch (const std::exception& error) {
        return complain(QString::fromUtf8(error.what()));
    }
    std::fputs(kUsage, stderr);
    return 2;
}
