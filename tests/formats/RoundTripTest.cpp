// Every writable format: a test exported and imported again keeps its questions, the correct
// answer in the first slot, and formatting and pictures where the format carries them.
#include "BankFormats.h"
#include "BankTestSupport.h"
#include "RichText.h"

#include <QTemporaryDir>
#include <QTextCharFormat>

#include <gtest/gtest.h>

namespace {

TestDocument sampleTest() {
    TestDocument test;
    test.settings.title = "Химия и география";
    test.settings.questionsPerTest = 2;
    AuthoredQuestion formula;
    formula.question = htmlToRtf("<p>Формула воды и площадь квадрата: H<sub>2</sub>O, a<sup>2</sup></p>");
    formula.answers = {htmlToRtf("H<sub>2</sub>O"), htmlToRtf("HO<sub>2</sub>"), htmlToRtf("H<sub>2</sub>O<sub>2</sub>"),
                       htmlToRtf("OH"), htmlToRtf("H<sup>+</sup>")};
    AuthoredQuestion picture;
    picture.question = htmlToRtf("<p>Что на рисунке?</p><p><img src=\"red\"></p>", {{"red", samplePicture(Qt::red)}});
    picture.answers = {plainTextToRtf("Красный прямоугольник"),
                       htmlToRtf("<img src=\"blue\">", {{"blue", samplePicture(Qt::blue)}}), plainTextToRtf("Круг"),
                       {}, {}};
    AuthoredQuestion special;
    special.question = plainTextToRtf("Столица России — это {город}?");
    special.answers = {plainTextToRtf("Москва: да"), plainTextToRtf("Санкт-Петербург ~ = #"),
                       plainTextToRtf("Казань \\ Татарстан"), plainTextToRtf("Омск"), plainTextToRtf("Тула")};
    test.questions = {formula, picture, special};
    return test;
}

struct Case {
    const char* format;
    const char* file;
    bool formatting;
    bool pictures;
};

class RoundTrip : public testing::TestWithParam<Case> {};

TEST_P(RoundTrip, KeepsQuestionsAnswersAndWhatTheFormatCarries) {
    const Case c = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(c.file);
    const TestDocument original = sampleTest();
    exportBankFile(original, path, c.format);
    const ImportResult back = importBankFile(path, c.format);

    ASSERT_EQ(back.document.questions.size(), original.questions.size());
    EXPECT_TRUE(back.report.skipped.empty());
    for (std::size_t i = 0; i < original.questions.size(); ++i) {
        const AuthoredQuestion& was = original.questions[i];
        const AuthoredQuestion& now = back.document.questions[i];
        EXPECT_EQ(textOf(now.question), textOf(was.question)) << "question " << i;
        EXPECT_EQ(answerTexts(now).mid(0, 3), answerTexts(was).mid(0, 3)) << "question " << i;
        if (c.pictures) {
            EXPECT_EQ(picturesOf(now.question), picturesOf(was.question)) << "question " << i;
            EXPECT_EQ(picturesOf(now.answers[1]), picturesOf(was.answers[1])) << "question " << i;
        }
    }
    if (c.formatting) {
        const AuthoredQuestion& formula = back.document.questions[0];
        EXPECT_TRUE(hasVerticalAlignment(formula.question, QTextCharFormat::AlignSubScript));
        EXPECT_TRUE(hasVerticalAlignment(formula.question, QTextCharFormat::AlignSuperScript));
        EXPECT_TRUE(hasVerticalAlignment(formula.answers[0], QTextCharFormat::AlignSubScript));
        EXPECT_TRUE(hasVerticalAlignment(formula.answers[4], QTextCharFormat::AlignSuperScript));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip,
                         testing::Values(Case{"gift", "bank.gift.txt", true, false},
                                         Case{"aiken", "bank.aiken.txt", false, false},
                                         Case{"moodle-xml", "bank.xml", true, true},
                                         Case{"rtf", "bank.rtf", true, true},
                                         Case{"text", "bank.txt", false, false},
                                         Case{"json", "bank.json", true, true}),
                         [](const testing::TestParamInfo<Case>& info) {
                             return QString(info.param.format).remove('-').toStdString();
                         });

TEST(RoundTrip, JsonKeepsTheSettings) {
    QTemporaryDir folder;
    const QString path = folder.filePath("bank.json");
    TestDocument original = sampleTest();
    original.settings.minutes = 45;
    original.settings.pointsTenths = 25;
    original.settings.allowReturn = false;
    original.settings.runningScore = true;
    exportBankFile(original, path);
    const TestSettings back = importBankFile(path).document.settings;
    EXPECT_EQ(back.title, original.settings.title);
    EXPECT_EQ(back.questionsPerTest, 2);
    EXPECT_EQ(back.minutes, 45);
    EXPECT_EQ(back.pointsTenths, 25);
    EXPECT_FALSE(back.allowReturn);
    EXPECT_TRUE(back.runningScore);
}

}  // namespace
