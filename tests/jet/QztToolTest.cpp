// Test files built by writeTestFile and by the qzt tool, read back through both readers.
#include "BlackBoxReaders.h"
#include "TestFileBuilder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kQzt = QStringLiteral(QUIZZARD_BINARY_DIR) + "/tools/qzt/qzt";

std::string inflatedHex(const std::string& hex) {
    const auto bytes = inflateWhole(fromHex(hex));
    return {bytes.begin(), bytes.end()};
}

TestSpec threeQuestions() {
    TestSpec spec;
    spec.title = "Физика, 9 класс";
    spec.questionCountForAnswer = 2;
    spec.timeForAnswer = 15;
    spec.answerBalls = 5;
    spec.allowReturn = false;
    spec.resultHere = true;
    for (int i = 1; i <= 3; ++i) {
        QuestionSpec q{plainTextToRtf("Вопрос " + std::to_string(i)), {}};
        for (int k = 1; k <= 5; ++k) q.answers.push_back(plainTextToRtf("Ответ " + std::to_string(k)));
        spec.questions.push_back(q);
    }
    return spec;
}

}  // namespace

TEST(TestFileBuilder, SettingsAndPackedTextsReadBackInBothReaders) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Физика.qzt");
    const TestSpec spec = threeQuestions();
    writeTestFile(path.toStdString(), spec);

    const ExportedTable info = mdbExport(path, "TestInfo");
    ASSERT_EQ(info.size(), 2u);
    std::vector<std::string> header, values;
    for (const auto& cell : info[0]) header.push_back(cell.text);
    for (const auto& cell : info[1]) values.push_back(cell.text);
    EXPECT_EQ(header, (std::vector<std::string>{"TestTitle", "QuestionCountForAnswer", "TimeForAnswer",
                                                "AnswerBalls", "AllowReturn", "ResultHere"}));
    EXPECT_EQ(values, (std::vector<std::string>{"Физика, 9 класс", "2", "15", "5", "0", "1"}));

    const ExportedTable test = mdbExport(path, "Test");
    ASSERT_EQ(test.size(), 4u);
    EXPECT_EQ(test[0][0].text, "Q");
    EXPECT_EQ(test[0][5].text, "A5");
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(inflatedHex(test[row + 1][0].text), spec.questions[row].question);
        for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(inflatedHex(test[row + 1][k + 1].text), spec.questions[row].answers[k]);
    }

    const auto dump = mdbReaderDump(path);
    if (!dump) GTEST_SKIP() << "no mdb-reader dump: node or mdb-reader missing";
    const QJsonObject settings = dump->value("TestInfo").toObject().value("rows").toArray()[0].toObject();
    EXPECT_EQ(settings.value("TestTitle").toString(), "Физика, 9 класс");
    EXPECT_EQ(settings.value("AnswerBalls").toInt(), 5);
    EXPECT_EQ(settings.value("ResultHere").toBool(), true);
    const QJsonArray rows = dump->value("Test").toObject().value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(inflatedHex(rows[2].toObject().value("A5").toObject().value("hex").toString().toStdString()),
              spec.questions[2].answers[4]);
}

TEST(TestFileBuilder, UnsetSettingsAndMissingAnswersAreNull) {
    QTemporaryDir dir;
    const QString path = dir.filePath("nulls.qzt");
    TestSpec spec;
    spec.questionCountForAnswer = std::nullopt;
    spec.timeForAnswer = std::nullopt;
    spec.answerBalls = std::nullopt;
    spec.allowReturn = std::nullopt;
    spec.questions.push_back({plainTextToRtf("?"), {plainTextToRtf("a")}});
    writeTestFile(path.toStdString(), spec);
    const ExportedTable info = mdbExport(path, "TestInfo");
    ASSERT_EQ(info.size(), 2u);
    for (int column : {1, 2, 3}) EXPECT_TRUE(info[1][column].isNull) << column;
    EXPECT_EQ(info[1][4].text, "0");
    const ExportedTable test = mdbExport(path, "Test");
    ASSERT_EQ(test.size(), 2u);
    EXPECT_FALSE(test[1][1].isNull);
    for (int column : {2, 3, 4, 5}) EXPECT_TRUE(test[1][column].isNull) << column;

    spec.questions[0].answers.resize(6);
    EXPECT_THROW(writeTestFile(dir.filePath("six.qzt").toStdString(), spec), std::runtime_error);
}

TEST(TestFileBuilder, PlainTextBecomesCp1251Rtf) {
    const std::string frame = plainTextToRtf("");
    EXPECT_EQ(frame.rfind("{\\rtf1\\ansi\\ansicpg1251", 0), 0u);
    EXPECT_NE(frame.find("\\fcharset204"), std::string::npos);
    EXPECT_EQ(frame.back(), '\n');

    struct Case {
        std::string text, body;
    };
    const std::vector<Case> cases = {
        {"plain", "plain"},
        {"a\\b{c}d", "a\\\\b\\{c\\}d"},
        {"Ая ёЁ", "\\'c0\\'ff \\'b8\\'a8"},
        {"one\ntwo\r\nthree\rfour", "one\\par\r\ntwo\\par\r\nthree\\par\r\nfour"},
        {"a\tb", "a\\tab b"},
        {"€—№", "\\'88\\'97\\'b9"},
        {"日", "\\u26085?"},
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rtfParagraphs(c.text), c.body) << c.text;
        EXPECT_NE(plainTextToRtf(c.text).find(c.body + "\\par"), std::string::npos) << c.text;
    }
}

class QztWrite : public ::testing::Test {
protected:
    void SetUp() override {
        QImage picture(12, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(dir.filePath("flag.png")));
        ASSERT_TRUE(picture.save(dir.filePath("flag.jpg")));
        QFile notAPicture(dir.filePath("broken.png"));
        ASSERT_TRUE(notAPicture.open(QIODevice::WriteOnly));
        notAPicture.write("not a png");
    }

    QString describe(const QByteArray& json) const {
        const QString path = dir.filePath("test.json");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json);
        return path;
    }

    static QJsonObject goodDescription(int questionCount = 3) {
        QJsonArray questions;
        for (int i = 0; i < questionCount; ++i)
            questions.append(QJsonObject{{"question", QString("Вопрос %1").arg(i)},
                                         {"answers", QJsonArray{"да", "нет", "может быть", "никогда", "всегда"}}});
        return {{"title", "Проба"},
                {"settings", QJsonObject{{"questionCount", 2}, {"minutes", 15}, {"answerBalls", 10},
                                         {"allowReturn", true}, {"resultHere", false}}},
                {"questions", questions}};
    }

    static QByteArray toJson(const QJsonObject& object) { return QJsonDocument(object).toJson(); }

    QTemporaryDir dir;
};

TEST_F(QztWrite, PicturesAndRawRtfAreEmbedded) {
    QJsonObject description = goodDescription();
    QJsonArray questions = description.value("questions").toArray();
    QJsonObject first = questions[0].toObject();
    first["question"] = QJsonObject{{"text", "Чей флаг?"}, {"image", "flag.png"}};
    first["answers"] = QJsonArray{QJsonObject{{"image", "flag.jpg"}}, QJsonObject{{"rtf", "{\\rtf1 raw}"}}, QJsonObject{{"text", "просто"}}, "c", "d"};
    questions[0] = first;
    description["questions"] = questions;
    const QString out = dir.filePath("out.qzt");
    const ProcessResult result = runProgram(kQzt, {"write", describe(toJson(description)), out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    const ExportedTable test = mdbExport(out, "Test");
    ASSERT_EQ(test.size(), 4u);
    QFile png(dir.filePath("flag.png")), jpg(dir.filePath("flag.jpg"));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly) && jpg.open(QIODevice::ReadOnly));
    const auto withoutLineBreaks = [](std::string rtf) {
        std::erase(rtf, '\r');
        std::erase(rtf, '\n');
        return rtf;
    };
    const std::string question = withoutLineBreaks(inflatedHex(test[1][0].text));
    EXPECT_NE(question.find("\\'d7\\'e5\\'e9 \\'f4\\'eb\\'e0\\'e3?"), std::string::npos);
    EXPECT_NE(question.find("{\\pict\\pngblip\\picw12\\pich8"), std::string::npos);
    EXPECT_NE(question.find(png.readAll().toHex().toStdString()), std::string::npos);
    const std::string answer = withoutLineBreaks(inflatedHex(test[1][1].text));
    EXPECT_NE(answer.find("{\\pict\\jpegblip"), std::string::npos);
    EXPECT_NE(answer.find(jpg.readAll().toHex().toStdString()), std::string::npos);
    EXPECT_EQ(inflatedHex(test[1][2].text), "{\\rtf1 raw}");
    EXPECT_EQ(inflatedHex(test[1][3].text), plainTextToRtf("просто"));
}

TEST_F(QztWrite, BadDescriptionsAreRefusedAndLeaveNoFile) {
    const auto with = [](const QString& key, const QJsonValue& value) {
        QJsonObject description = goodDescription();
        description[key] = value;
        return toJson(description);
    };
    const auto withSetting = [&](const QString& key, const QJsonValue& value) {
        QJsonObject settings = goodDescription().value("settings").toObject();
        settings[key] = value;
        return with("settings", settings);
    };
    const auto withFirstQuestion = [&](const QJsonObject& question) {
        QJsonArray questions = goodDescription().value("questions").toArray();
        questions[0] = question;
        return with("questions", questions);
    };
    const QJsonArray fiveAnswers{"a", "b", "c", "d", "e"};
    struct Case {
        const char* what;
        QByteArray json;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"not JSON", "{\"title\": ", "not valid JSON"},
        {"not an object", "[1, 2]", "expected an object"},
        {"no title", with("title", QJsonValue()), "title: expected a text"},
        {"minutes too large", withSetting("minutes", 1440), "settings.minutes: must be 1 to 1439"},
        {"fractional count", withSetting("questionCount", 2.5), "settings.questionCount: expected a whole number"},
        {"text for a flag", withSetting("allowReturn", "yes"), "settings.allowReturn: expected true or false"},
        {"too few questions", with("questions", QJsonArray{goodDescription().value("questions").toArray()[0]}),
         "questions: 1 questions given; a test of 2 needs at least 3"},
        {"four answers", withFirstQuestion({{"question", "q"}, {"answers", QJsonArray{"a", "b", "c", "d"}}}),
         "questions[0].answers: expected 5 answers"},
        {"no question", withFirstQuestion({{"answers", fiveAnswers}}), "questions[0]: \"question\" is missing"},
        {"number as answer",
         withFirstQuestion({{"question", "q"}, {"answers", QJsonArray{"a", 5, "c", "d", "e"}}}),
         "questions[0].answers[1]: expected a text"},
        {"missing picture", withFirstQuestion({{"question", QJsonObject{{"image", "nowhere.png"}}}, {"answers", fiveAnswers}}),
         "questions[0].question: cannot read picture"},
        {"broken picture", withFirstQuestion({{"question", QJsonObject{{"image", "broken.png"}}}, {"answers", fiveAnswers}}),
         "is not a readable PNG image"},
        {"unknown picture type", withFirstQuestion({{"question", QJsonObject{{"image", "x.gif"}}}, {"answers", fiveAnswers}}),
         "neither .png nor .jpg"},
        {"empty answer object", withFirstQuestion({{"question", "q"}, {"answers", QJsonArray{QJsonObject{}, "b", "c", "d", "e"}}}),
         "questions[0].answers[0]: expected \"rtf\", \"text\" or \"image\""},
        {"title too long", with("title", QString(256, 'x')), "title: longer than 255 characters"},
    };
    const QString out = dir.filePath("kept.qzt");
    QFile kept(out);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("previous contents");
    kept.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProcessResult result = runProgram(kQzt, {"write", describe(c.json), out});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "previous contents");
    }
    EXPECT_EQ(QDir(dir.path()).entryList({"*.qzt*"}, QDir::Files | QDir::Hidden), QStringList{"kept.qzt"});

    EXPECT_EQ(runProgram(kQzt, {"write", dir.filePath("absent.json"), out}).exitCode, 1);
    EXPECT_EQ(runProgram(kQzt, {"write", describe(toJson(goodDescription())), dir.filePath("no/dir/x.qzt")}).exitCode, 1);
    EXPECT_EQ(runProgram(kQzt, {"frobnicate"}).exitCode, 2);
}

TEST(DemoTest, GeographyDescriptionBuildsAFullTest) {
    QTemporaryDir dir;
    const QString out = dir.filePath("География.qzt");
    const ProcessResult result =
        runProgram(kQzt, {"write", QStringLiteral(QUIZZARD_SOURCE_DIR) + "/resources/demo/geography.json", out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const ExportedTable info = mdbExport(out, "TestInfo");
    ASSERT_EQ(info.size(), 2u);
    EXPECT_EQ(info[1][1].text, "10");
    EXPECT_EQ(info[1][2].text, "15");
    EXPECT_EQ(info[1][3].text, "10");
    EXPECT_EQ(info[1][4].text, "1");
    const ExportedTable test = mdbExport(out, "Test");
    EXPECT_GE(test.size(), 41u);
    for (std::size_t row = 1; row < test.size(); ++row)
        for (std::size_t column = 0; column < 6; ++column)
            EXPECT_EQ(inflatedHex(test[row][column].text).rfind("{\\rtf1", 0), 0u) << row << "," << column;
}

TEST_F(QztWrite, ConvertMovesABankIntoATestAndOutAgain) {
    const QString bank = dir.filePath("bank.gift.txt");
    QFile gift(bank);
    ASSERT_TRUE(gift.open(QIODevice::WriteOnly));
    gift.write("::Q1:: Столица Франции? {=Париж ~Лион ~Марсель}\n\n"
               "::Q2:: Что такое H₂O? {=вода ~соль ~лёд ~пар ~снег}\n\n"
               "::E:: Опишите опыт {}\n");
    gift.close();
    const QString test = dir.filePath("bank.qzt");
    const ProcessResult in = runProgram(kQzt, {"convert", bank, test});
    EXPECT_EQ(in.exitCode, 0) << in.err.toStdString();
    EXPECT_TRUE(in.out.contains("2 questions imported")) << in.out.toStdString();
    EXPECT_TRUE(in.out.contains("essay")) << in.out.toStdString();

    const ProcessResult dump = runProgram(kQzt, {"dump", test});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_TRUE(dump.out.contains("Париж")) << dump.out.toStdString();

    const QString moodle = dir.filePath("back.xml");
    const ProcessResult out = runProgram(kQzt, {"convert", "--to", "moodle-xml", test, moodle});
    EXPECT_EQ(out.exitCode, 0) << out.err.toStdString();
    EXPECT_TRUE(out.out.contains("2 questions imported")) << out.out.toStdString();

    EXPECT_EQ(runProgram(kQzt, {"convert", dir.filePath("absent.gift.txt"), test}).exitCode, 1);
    EXPECT_EQ(runProgram(kQzt, {"convert", bank}).exitCode, 2);
}

TEST(QztManners, HelpAndVersionGoToStandardOutput) {
    const ProcessResult help = runProgram(kQzt, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("qzt convert"));
    const ProcessResult version = runProgram(kQzt, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("qzt 0.")) << version.out.toStdString();
}
