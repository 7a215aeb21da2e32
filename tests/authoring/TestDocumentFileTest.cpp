// A test document opened from a file and saved without edits reads as the original did, in our
// reader and in readers not ours; a failed save leaves the old file as it was.
#include "BlackBoxReaders.h"
#include "Cp1251.h"
#include "Description.h"
#include "SharedState.h"
#include "TestDocumentFile.h"
#include "TestFile.h"
#include "TestFileBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QString Qzt = QStringLiteral(QUIZZARD_BINARY_DIR) + "/tools/qzt/qzt";

QByteArray dumpOf(const QString& path) {
    const ProcessResult result = runProgram(Qzt, {"dump", path});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return result.out;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

std::vector<std::uint8_t> pngBytes() {
    const QByteArray bytes = readAll(QStringLiteral(QUIZZARD_SOURCE_DIR) + "/resources/demo/russia.png");
    return {bytes.begin(), bytes.end()};
}

TestSpec cyrillicWithPictureAndNulls() {
    TestSpec spec;
    spec.title = "Физика: формулы";
    spec.questionCountForAnswer = 2;
    spec.timeForAnswer = std::nullopt;  // left NULL by hand
    spec.questions.push_back({rtfDocument("H{\\sub 2}O " + pictureRtf(pngBytes(), PictureFormat::Png, 40, 30)),
                              {plainTextToRtf("вода"), plainTextToRtf("лёд\nпар"), plainTextToRtf("α ≠ β"),
                               plainTextToRtf("{скобки} \\"), plainTextToRtf("5")}});
    spec.questions.push_back({plainTextToRtf("без ответов"), {plainTextToRtf("один")}});
    for (int i = 0; i < 3; ++i)
        spec.questions.push_back({plainTextToRtf("Вопрос " + std::to_string(i)),
                                  {plainTextToRtf("a"), plainTextToRtf("b"), plainTextToRtf("c"), plainTextToRtf("d"),
                                   plainTextToRtf("e")}});
    return spec;
}

// Cells as text, NULL marked, so tables compare whole.
std::vector<std::string> cellsOf(const ExportedTable& table) {
    std::vector<std::string> cells;
    for (const auto& row : table)
        for (const ExportedCell& cell : row) cells.push_back(cell.isNull ? std::string("<NULL>") : cell.text);
    return cells;
}

}  // namespace

class RoundTrip : public ::testing::Test {
protected:
    QString saveUnedited(const QString& original) {
        const QString saved = dir_.filePath("saved-" + QFileInfo(original).fileName());
        writeTestDocument(saved, readTestDocument(original));
        return saved;
    }
    QTemporaryDir dir_;
};

TEST_F(RoundTrip, OpenedAndSavedWithoutEditsDumpsTheSame) {
    const QString demo = dir_.filePath("geography.qzt");
    writeTestFile(demo.toStdString(), readDescription(QStringLiteral(QUIZZARD_SOURCE_DIR) + "/resources/demo/geography.json"));
    const QString built = dir_.filePath("physics.qzt");
    writeTestFile(built.toStdString(), cyrillicWithPictureAndNulls());
    for (const QString& original : {demo, built}) {
        SCOPED_TRACE(original.toStdString());
        const QString saved = saveUnedited(original);
        const QByteArray dump = dumpOf(original);
        EXPECT_FALSE(dump.isEmpty());
        EXPECT_EQ(dumpOf(saved), dump);
        EXPECT_EQ(cellsOf(mdbExport(saved, "TestInfo")), cellsOf(mdbExport(original, "TestInfo")));
        // Texts are packed again, so compare what the packed bytes hold: the dump above does.
        EXPECT_EQ(mdbExport(saved, "Test").size(), mdbExport(original, "Test").size());
        if (const auto dumped = mdbReaderDump(saved)) {
            const auto before = mdbReaderDump(original);
            ASSERT_TRUE(before);
            EXPECT_EQ(dumped->value("TestInfo"), before->value("TestInfo"));
            EXPECT_EQ(dumped->value("Test").toObject().value("rowCount"), before->value("Test").toObject().value("rowCount"));
        }
    }
}

TEST_F(RoundTrip, SavedFileOpensInTheStudentProgram) {
    const QString original = dir_.filePath("physics.qzt");
    writeTestFile(original.toStdString(), cyrillicWithPictureAndNulls());
    const QString saved = saveUnedited(original);
    ASSERT_TRUE(OpenTestFile(saved));
    Shared().CurrentPosition = 1;
    Shared().Record.slot(1).AnswerOrder = {1, 2, 3, 4, 5};
    EXPECT_EQ(Shared().QuestionRecordCount, 5);
    EXPECT_EQ(fromCp1251(Shared().TestTitle), QString("Физика: формулы"));
    const QuestionDocuments first = ReadQuestion(1);
    EXPECT_TRUE(first.question.contains("\\pngblip"));
    const QuestionDocuments second = ReadQuestion(2);  // answers 2..5 stayed NULL: empty documents
    EXPECT_FALSE(second.answers[0].isEmpty());
    for (int view = 1; view < 5; ++view) EXPECT_TRUE(second.answers[view].isEmpty()) << view;
    CloseTestTable();
}

TEST(TestDocumentSave, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.qzt");
    TestSpec spec = cyrillicWithPictureAndNulls();
    writeTestFile(path.toStdString(), spec);
    const QByteArray before = readAll(path);
    TestDocument emptied = readTestDocument(path);
    emptied.questions.clear();

    // A target that is a folder cannot be replaced, even by root.
    const QString folderTarget = dir.filePath("folder.qzt");
    ASSERT_TRUE(QDir().mkdir(folderTarget));
    try {
        writeTestDocument(folderTarget, emptied);
        ADD_FAILURE() << "saving over a folder succeeded";
    } catch (const TestDocumentSaveError& error) {
        EXPECT_TRUE(QString(error.what()).contains("folder.qzt")) << error.what();
    }
    EXPECT_TRUE(QFileInfo(folderTarget).isDir());

    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_THROW(writeTestDocument(path, emptied), TestDocumentSaveError);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.qzt"}));  // no temporary left
}

TEST(TestDocumentRead, DamagedFileIsAnErrorNotACrash) {
    QTemporaryDir dir;
    const QString path = dir.filePath("junk.qzt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096 * 3, '\x5a'));
    file.close();
    EXPECT_THROW(readTestDocument(path), TestFileError);
    EXPECT_THROW(readTestDocument(dir.filePath("missing.qzt")), TestFileError);
}
