// The word-processor RTF we write, read by a reader not ours: its paragraphs keep the layout.
#include "RichText.h"
#include "WordProcessorFormat.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ForeignReader, UnrtfSeesQuestionsAndMarkedAnswers) {
    const QString unrtf = QStandardPaths::findExecutable("unrtf");
    if (unrtf.isEmpty()) GTEST_SKIP() << "unrtf is not installed";
    TestDocument test;
    test.questions.push_back({htmlToRtf("Water is H<sub>2</sub>O?"), {plainTextToRtf("yes"), plainTextToRtf("no"), {}, {}, {}}});
    test.questions.push_back({plainTextToRtf("Salt {NaCl}?"), {plainTextToRtf("right"), plainTextToRtf("wrong"), {}, {}, {}}});
    QTemporaryDir folder;
    QFile file(folder.filePath("bank.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(exportWordProcessorRtf(test));
    file.close();
    QProcess process;
    process.start(unrtf, {"--text", file.fileName()});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromLatin1(process.readAllStandardOutput());
    for (const char* line : {"Water is H2O?\n+ yes\n- no\n", "Salt {NaCl}?\n+ right\n- wrong\n"})
        EXPECT_TRUE(text.contains(line)) << line << " in " << text.toStdString();
}

}  // namespace
