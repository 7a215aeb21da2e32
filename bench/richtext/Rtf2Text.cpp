// Reads an RTF file, lays it out at a view's width and prints its plain text.
#include "RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf2text FILE.rtf\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtf2text: cannot open %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    readRtf(file.readAll(), document);
    document.setTextWidth(640);
    document.documentLayout()->documentSize();
    std::fputs(document.toPlainText().toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
