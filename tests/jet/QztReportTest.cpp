// qzt list and qzt dump read test files through the program's own reader.
#include "BlackBoxReaders.h"
#include "JetWriter.h"
#include "TestFileBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kQzt = QStringLiteral(QUIZZARD_BINARY_DIR) + "/tools/qzt/qzt";

TestSpec questions(int count, int asked) {
    TestSpec spec;
    spec.title = "Химия";
    spec.questionCountForAnswer = asked;
    for (int i = 1; i <= count; ++i) {
        QuestionSpec q{plainTextToRtf("Вопрос " + std::to_string(i) + "\nвторая строка"), {}};
        for (int k = 1; k <= 5; ++k) q.answers.push_back(plainTextToRtf("Ответ " + std::to_string(i) + "." + std::to_string(k)));
        spec.questions.push_back(q);
    }
    return spec;
}

QString utf8(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

}  // namespace

TEST(QztReport, ListShowsSettingsAndFirstLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chem.qzt");
    writeTestFile(path.toStdString(), questions(4, 3));
    const ProcessResult result = runProgram(kQzt, {"list", path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString out = utf8(result.out);
    EXPECT_TRUE(out.contains("Title:           Химия\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("Minutes:         20\n"));
    EXPECT_TRUE(out.contains("Questions:       4\n"));
    EXPECT_TRUE(out.contains("Accepted:        yes\n"));
    EXPECT_TRUE(out.contains("  4. Вопрос 4…\n"));
    EXPECT_FALSE(out.contains("вторая строка"));
}

TEST(QztReport, DumpMarksTheCorrectAnswer) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chem.qzt");
    writeTestFile(path.toStdString(), questions(2, 5));
    const ProcessResult result = runProgram(kQzt, {"dump", path});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString out = utf8(result.out);
    EXPECT_TRUE(out.contains("Accepted:        no, it needs more than 5 questions\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("2. Вопрос 2\nвторая строка\n   * Ответ 2.1\n     Ответ 2.2\n"));
    EXPECT_TRUE(out.contains("     Ответ 2.5\n"));
}

TEST(QztReport, UnreadableFilesAndBlobsAreReported) {
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.qzt");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, 'x'));
    file.close();
    for (const QString& path : {junk, dir.filePath("missing.qzt")}) {
        const ProcessResult result = runProgram(kQzt, {"list", path});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(utf8(result.err).contains("Не удалось загрузить файл тестов")) << result.err.toStdString();
        EXPECT_TRUE(utf8(result.err).contains("not a readable test file"));
    }

    // Row 1 has an answer that is not a zlib stream; row 2 is sound and still shown.
    const QString damaged = dir.filePath("damaged.qzt");
    TestSpec spec = questions(2, 1);
    writeTestFile(damaged.toStdString(), spec);
    const jet::Table info{"TestInfo", {{"TestTitle", jet::ColumnType::Text}}, {{std::string("Повреждён")}}};
    jet::Table test{"Test", {{"Q", jet::ColumnType::Ole}}, {}};
    for (int k = 1; k <= 5; ++k) test.columns.push_back({"A" + std::to_string(k), jet::ColumnType::Ole});
    const std::vector<std::uint8_t> notZlib{1, 2, 3, 4, 5, 6};
    const ExportedTable sound = mdbExport(damaged, "Test");
    for (int row = 1; row <= 2; ++row) {
        std::vector<jet::Value> values;
        for (int column = 0; column < 6; ++column) values.push_back(fromHex(sound[row][column].text));
        if (row == 1) values[3] = notZlib;
        test.rows.push_back(values);
    }
    jet::writeDatabase(damaged.toStdString(), {info, test});
    const ProcessResult result = runProgram(kQzt, {"dump", damaged});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(utf8(result.err).contains("qzt: question 1: ")) << result.err.toStdString();
    EXPECT_TRUE(utf8(result.out).contains("2. Вопрос 2")) << result.out.toStdString();
}
