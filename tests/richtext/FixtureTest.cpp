// Inputs the fuzzer found troublesome: each must be read and laid out to the end.
#include "RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <gtest/gtest.h>

TEST(RtfFixtures, EveryFixtureReadsAndLaysOut) {
    const QDir folder(QStringLiteral(QUIZZARD_SOURCE_DIR "/tests/richtext/fixtures"));
    const QStringList names = folder.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QTextDocument document;
        readRtf(file.readAll(), document);
        document.setTextWidth(300);
        EXPECT_GT(document.documentLayout()->documentSize().height(), 0);
    }
}
