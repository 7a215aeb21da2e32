// Times our reader (parse plus layout) in process and as a started program, against unrtf --html
// on the same files, and prints the figures with their ratios. Then the hostile shapes whose
// layout time grows with the square of their size, shown in the test window's view.
#include "RichTextView.h"
#include "RtfReader.h"
#include "SampleDocuments.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QFile>
#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double parseAndLayoutMs(const QByteArray& rtf) {
    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    readRtf(rtf, document);
    document.setTextWidth(640);
    document.documentLayout()->documentSize();
    return timer.nsecsElapsed() / 1e6;
}

double processMs(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(60000);
    return timer.nsecsElapsed() / 1e6;
}

QString writeFile(const QTemporaryDir& folder, const char* name, const QByteArray& rtf) {
    const QString path = folder.filePath(QString::fromLatin1(name) + ".rtf");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(rtf);
    return path;
}

struct ProcessTimes {
    double ours, unrtf;
};

ProcessTimes processMedians(const QString& path, const QString& folder) {
    std::vector<double> ours, unrtf;
    for (int i = 0; i < 15; ++i) {
        ours.push_back(processMs(QStringLiteral(RTF2TEXT_PATH), {path}, folder));
        unrtf.push_back(processMs(QStringLiteral("unrtf"), {QStringLiteral("--html"), path}, folder));
    }
    return {median(ours), median(unrtf)};
}

// Both programs on an empty document: what starting the process costs before any reading.
ProcessTimes startUpFloor(const QTemporaryDir& folder) {
    return processMedians(writeFile(folder, "empty", "{\\rtf1 }"), folder.path());
}

void measure(const char* name, const QByteArray& rtf, double goalMs, const QTemporaryDir& folder,
             const ProcessTimes& floor) {
    const QString path = writeFile(folder, name, rtf);

    parseAndLayoutMs(rtf);  // fonts and image plugins load on first use
    std::vector<double> inProcess;
    for (int i = 0; i < 200; ++i) inProcess.push_back(parseAndLayoutMs(rtf));
    const ProcessTimes process = processMedians(path, folder.path());
    const double parsed = median(inProcess);
    const double oursBeyond = process.ours - floor.ours, unrtfBeyond = process.unrtf - floor.unrtf;
    std::printf("%-10s %7.1f KB  parse+layout median %7.3f ms (goal < %.0f ms: %s)\n", name, rtf.size() / 1024.0,
                parsed, goalMs, parsed < goalMs ? "met" : "MISSED");
    std::printf("%-10s             process median: rtf2text %7.2f ms, unrtf --html %7.2f ms, ratio ours/unrtf %.2f\n",
                name, process.ours, process.unrtf, process.ours / process.unrtf);
    std::printf("%-10s             beyond start-up: rtf2text %7.2f ms, unrtf --html %7.2f ms, ratio ours/unrtf %.2f\n",
                name, oursBeyond, unrtfBeyond, oursBeyond / unrtfBeyond);
}

// How much of the picture document's time is the PNG decoder itself, which no reader avoids.
void printPictureDecodeShare(const QByteArray& rtf) {
    const qsizetype start = rtf.indexOf("\\pichgoal");
    const qsizetype hexStart = rtf.indexOf(' ', start) + 1;
    const QByteArray png = QByteArray::fromHex(rtf.mid(hexStart, rtf.indexOf('}', hexStart) - hexStart));
    std::vector<double> decode;
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer timer;
        timer.start();
        QImage image;
        image.loadFromData(png, "PNG");
        decode.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("picture                PNG decode alone median %7.3f ms\n", median(decode));
}

// Loading into a shown 640 x 300 view, with the layout and the pending paint done.
double viewLoadMs(const QByteArray& rtf) {
    RichTextView view;
    view.resize(640, 300);
    view.show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    view.loadRtf(rtf);
    view.document()->documentLayout()->documentSize();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

QByteArray repeated(const QByteArray& piece, int count) {
    QByteArray body;
    body.reserve(piece.size() * count);
    for (int i = 0; i < count; ++i) body += piece;
    return "{\\rtf1\\ansi " + body + "}";
}

void printLayoutBounds() {
    struct Shape {
        const char* name;
        QByteArray rtf;
    };
    const Shape shapes[] = {
        {"100 KB unbroken line", repeated("x", 100'000)},
        {"1 MB unbroken line", repeated("x", 1'000'000)},
        {"1 MB unbroken Cyrillic", repeated("\\'e6", 1'000'000 / 4)},
        {"100,000 tabs", repeated("\t", 100'000)},
        {"100,000 \\tab words", repeated("\\tab ", 100'000)},
        {"1,000,000 empty paragraphs", repeated("\\par ", 1'000'000)},
        {"1,000,000 line breaks", repeated("\\line ", 1'000'000)},
        {"tabs and long words", repeated(QByteArray(1999, 'y') + "\t", 2'000)},
    };
    double worst = 0;
    const char* worstName = "";
    for (const Shape& shape : shapes) {
        const double ms = viewLoadMs(shape.rtf);
        std::printf("layout bound: %-28s %8.1f KB  view load %8.1f ms\n", shape.name, shape.rtf.size() / 1024.0, ms);
        if (ms > worst) {
            worst = ms;
            worstName = shape.name;
        }
    }
    std::printf("layout bound: worst case %s, %.1f ms (goal < 200 ms: %s)\n", worstName, worst,
                worst < 200 ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const ProcessTimes floor = startUpFloor(folder);
    std::printf("start-up on an empty document: rtf2text %.2f ms, unrtf --html %.2f ms\n", floor.ours, floor.unrtf);
    measure("question", typicalQuestion(), 1.0, folder, floor);
    measure("picture", questionWithPicture(), 10.0, folder, floor);
    printPictureDecodeShare(questionWithPicture());
    printLayoutBounds();
    return 0;
}
