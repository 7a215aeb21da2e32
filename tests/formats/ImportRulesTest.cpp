// Banks written the way teachers and platforms write them: what is imported, what is warned,
// and what is left out with its place and reason.
#include "AikenFormat.h"
#include "BankTestSupport.h"
#include "Cp1251.h"
#include "CsvFormat.h"
#include "GiftFormat.h"
#include "MoodleXmlFormat.h"
#include "WordProcessorFormat.h"

#include <QTextCharFormat>

#include <gtest/gtest.h>

namespace {

QStringList questionTexts(const TestDocument& test) {
    QStringList texts;
    for (const AuthoredQuestion& question : test.questions) texts << textOf(question.question);
    return texts;
}

TEST(GiftImport, KeepsSingleAnswerQuestionsAndListsTheRest) {
    const ImportResult result = importGift(fixture("mixed.gift.txt"));
    EXPECT_EQ(questionTexts(result.document),
              QStringList({"Какова формула воды?", "Столица России?", "Земля круглая.", "Сколько будет 1 = 1 {да}?",
                           "Москва — столица _____ и крупнейший город."}));
    EXPECT_EQ(result.report.imported, 5);
    EXPECT_EQ(answerTexts(result.document.questions[0]), QStringList({"H₂O", "HO₂", "H₂O₂", "", ""}));
    EXPECT_EQ(answerTexts(result.document.questions[1]), QStringList({"Москва", "Казань", "Омск", "Тула", "Сочи"}));
    EXPECT_EQ(answerTexts(result.document.questions[2]), QStringList({"Верно", "Неверно", "", "", ""}));
    EXPECT_EQ(answerTexts(result.document.questions[3]), QStringList({"да: так", "нет ~ никак", "", "", ""}));
    EXPECT_EQ(answerTexts(result.document.questions[4]), QStringList({"России", "Франции", "", "", ""}));
    ASSERT_EQ(result.report.warned.size(), 4u);
    EXPECT_EQ(result.report.warned[0].question, 0);
    EXPECT_TRUE(result.report.warned[1].reason.contains("true/false"));
    EXPECT_EQ(skippedReasons(result.report),
              QStringList({"line 14 Короткий: short answer question; a test holds only questions with one correct answer",
                           "line 16 Число: numerical question; a test holds only questions with one correct answer",
                           "line 18 Сочинение: essay question; a test holds only questions with one correct answer",
                           "line 20 Пары: matching question; a test holds only questions with one correct answer",
                           "line 22 Много: 6 answers; a test question holds at most five",
                           "line 24 Два верных: several correct answers (partial marks); a test question has one correct answer",
                           "line 26 Нет верного: no correct answer",
                           "line 28 Просто описание без ответов.: description question; a test holds only questions with one correct answer"}));
}

TEST(GiftImport, HtmlQuestionKeepsItsFormatting) {
    const ImportResult result = importGift("[html]H<sub>2</sub>O — это? {=вода ~<b>соль</b>}");
    ASSERT_EQ(result.document.questions.size(), 1u);
    EXPECT_TRUE(hasVerticalAlignment(result.document.questions[0].question, QTextCharFormat::AlignSubScript));
    EXPECT_EQ(textOf(result.document.questions[0].answers[1]), "соль");
}

TEST(AikenImport, BothOptionStylesAndTheRules) {
    const ImportResult result = importAiken(
        "Какой газ мы вдыхаем?\nA) Азот\nB. Кислород\nC) Углекислый газ\nANSWER: B\n\n"
        "Сколько ног у паука?\nA) 6\nB) 8\nC) 10\nD) 4\nE) 12\nF) 2\nANSWER: B\n\n"
        "Без ответа?\nA) да\nB) нет\n");
    ASSERT_EQ(result.document.questions.size(), 1u);
    EXPECT_EQ(answerTexts(result.document.questions[0]), QStringList({"Кислород", "Азот", "Углекислый газ", "", ""}));
    EXPECT_EQ(result.report.warned.size(), 1u);
    EXPECT_EQ(skippedReasons(result.report),
              QStringList({"line 7 Сколько ног у паука?: 6 answers; a test question holds at most five",
                           "line 16 Без ответа?: no correct answer"}));
}

TEST(MoodleXmlImport, PicturesFormattingTrueFalseAndOtherTypes) {
    const ImportResult result = importMoodleXml(fixture("bank.xml"));
    ASSERT_EQ(result.document.questions.size(), 3u);
    const AuthoredQuestion& picture = result.document.questions[0];
    EXPECT_EQ(textOf(picture.question), "Какого цвета фигура? E = mc2");
    EXPECT_TRUE(hasVerticalAlignment(picture.question, QTextCharFormat::AlignSuperScript));
    ASSERT_EQ(picturesOf(picture.question).size(), 1u);
    EXPECT_EQ(picturesOf(picture.question)[0].size(), QSize(4, 3));
    EXPECT_EQ(picturesOf(picture.question)[0].pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(textOf(picture.answers[0]), "Красного");
    ASSERT_EQ(picturesOf(picture.answers[0]).size(), 1u);
    EXPECT_EQ(answerTexts(picture).mid(1), QStringList({"Синего", "Зелёного", "Жёлтого", "Белого"}));

    EXPECT_EQ(answerTexts(result.document.questions[1]), QStringList({"Верно", "Неверно", "", "", ""}));
    EXPECT_EQ(picturesOf(result.document.questions[2].question).size(), 1u);
    EXPECT_EQ(result.report.warned.size(), 2u);
    EXPECT_EQ(skippedReasons(result.report),
              QStringList({"line 34 Два верных: several correct answers (partial marks); a test question has one correct answer",
                           "line 42 Короткий: short answer question; a test holds only questions with one correct answer",
                           "line 47 Пропуски: embedded answers (cloze) question; a test holds only questions with one correct answer",
                           "line 51 Опишите опыт Резерфорда.: essay question; a test holds only questions with one correct answer"}));
}

TEST(WordProcessorImport, RtfKeepsFormattingAndPictures) {
    const ImportResult result = importWordProcessorRtf(fixture("teacher.rtf"));
    ASSERT_EQ(result.document.questions.size(), 2u);
    const AuthoredQuestion& formula = result.document.questions[0];
    EXPECT_EQ(textOf(formula.question), "1. Формула воды?");
    EXPECT_EQ(answerTexts(formula), QStringList({"H2O", "HO2", "H2O2", "", ""}));
    EXPECT_TRUE(hasVerticalAlignment(formula.answers[0], QTextCharFormat::AlignSubScript));
    const AuthoredQuestion& picture = result.document.questions[1];
    EXPECT_EQ(textOf(picture.question), "2. Что на рисунке?");
    ASSERT_EQ(picturesOf(picture.question).size(), 1u);
    EXPECT_EQ(picturesOf(picture.question)[0].pixelColor(1, 1), QColor(0, 128, 0));
    EXPECT_EQ(answerTexts(picture), QStringList({"Зелёный", "Красный", "", "", ""}));
    EXPECT_EQ(skippedReasons(result.report), QStringList({"paragraph 10 3. Вопрос без ответа: no correct answer"}));
}

TEST(WordProcessorImport, PlainTextLayout) {
    const ImportResult result = importPlainText(
        "Сколько будет 2 + 2?\n+ 4\n- 5\n-  3\n\nСтолица Франции?\n- Лион\n+ Париж\n- Ницца\n- Марсель\n- Тулуза\n- Лилль\n");
    ASSERT_EQ(result.document.questions.size(), 1u);
    EXPECT_EQ(answerTexts(result.document.questions[0]), QStringList({"4", "5", "3", "", ""}));
    EXPECT_EQ(skippedReasons(result.report), QStringList({"line 6 Столица Франции?: 6 answers; a test question holds at most five"}));
}

TEST(CsvImport, Cp1251SemicolonsHeaderAndQuotedCells) {
    const std::string csv = toCp1251(
        "Вопрос;Верный ответ;Неверный 1;Неверный 2\r\n"
        "\"Сколько; будет\n2 + 2?\";4;5;\"3 \"\"три\"\"\"\r\n"
        "Один ответ;да;;\r\n"
        ";;;\r\n"
        "Без верного;;нет;никогда\r\n");
    const ImportResult result = importCsv(QByteArray::fromStdString(csv));
    ASSERT_EQ(result.document.questions.size(), 1u);
    EXPECT_EQ(textOf(result.document.questions[0].question), "Сколько; будет\n2 + 2?");
    EXPECT_EQ(answerTexts(result.document.questions[0]), QStringList({"4", "5", "3 \"три\"", "", ""}));
    EXPECT_EQ(skippedReasons(result.report),
              QStringList({"line 4 Один ответ: only one answer; a test question needs at least two",
                           "line 6 Без верного: no correct answer"}));
}

TEST(CsvImport, Utf8TabsWithoutHeader) {
    const ImportResult result = importCsv("Столица России?\tМосква\tОмск\tТула\tСочи\tКазань\nЛишний\tа\tб\tв\tг\tд\tе\n");
    ASSERT_EQ(result.document.questions.size(), 1u);
    EXPECT_EQ(answerTexts(result.document.questions[0]), QStringList({"Москва", "Омск", "Тула", "Сочи", "Казань"}));
    EXPECT_TRUE(result.report.warned.empty());
    EXPECT_EQ(skippedReasons(result.report), QStringList({"line 2 Лишний: 6 answers; a test question holds at most five"}));
}

}  // namespace
