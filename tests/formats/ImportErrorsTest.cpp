// Files that are not in their format, truncated, in an unknown encoding or with broken
// pictures: a clear error naming the place, and no test.
#include "BankFormats.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* format;
    QByteArray bytes;
    const char* message;  // the error holds this
};

class ImportError : public testing::TestWithParam<Case> {};

TEST_P(ImportError, NamesThePlace) {
    const Case c = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath("bank");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    file.close();
    try {
        importBankFile(path, c.format);
        FAIL() << "no error";
    } catch (const FormatError& error) {
        EXPECT_NE(QString::fromUtf8(error.what()).indexOf(c.message), -1) << error.what();
    }
}

const char kBrokenPicture[] =
    "<quiz>\n<question type=\"multichoice\"><questiontext format=\"html\"><text>Q</text>\n"
    "<file name=\"a.png\" encoding=\"base64\">iVBO*!!</file></questiontext></question></quiz>";
const char kNotAPicture[] =
    "<quiz>\n<question type=\"multichoice\">\n<image_base64>aGVsbG8=</image_base64></question></quiz>";

INSTANTIATE_TEST_SUITE_P(
    Files, ImportError,
    testing::Values(
        Case{"GiftBraceNeverClosed", "gift", "::a::Вопрос\n\n::b::Q {=a ~b\n~c\n", "line 3: the answers' '{' is never closed"},
        Case{"GiftEmpty", "gift", "// only a comment\n", "no GIFT questions"},
        Case{"GiftUnknownEncoding", "gift", QByteArray("Q {=a ~b}\x98\x01", 11), "byte 9: unknown text encoding"},
        Case{"GiftBadUtf8AfterMark", "gift", "\xEF\xBB\xBFQ {=\xD0 ~b}", "byte 7: marked as UTF-8"},
        Case{"GiftTitleNeverClosed", "gift", "::title Q {=a ~b}", "line 1: the title's '::' is never closed"},
        Case{"AikenStrayLine", "aiken", "Q?\nA) a\nB) b\nчто-то\nANSWER: A\n", "line 4: expected an option"},
        Case{"AikenNoOptions", "aiken", "Просто текст\n", "no Aiken questions"},
        Case{"MoodleTruncated", "moodle-xml", "<quiz>\n<question type=\"multichoice\">\n<name>", "line 3, column 6: not well-formed XML"},
        Case{"MoodleNotQuiz", "moodle-xml", "<html><body/></html>", "line 1: not a Moodle XML question bank"},
        Case{"MoodleBrokenBase64", "moodle-xml", kBrokenPicture, "line 3: picture \"a.png\" has broken base64"},
        Case{"MoodleNotAPicture", "moodle-xml", kNotAPicture, "line 3: picture \"image_base64:\" is not a picture"},
        Case{"MoodleFractionNotNumber", "moodle-xml",
             "<quiz><question type=\"multichoice\">\n<answer fraction=\"all\"><text>a</text></answer></question></quiz>",
             "line 2: the answer's fraction is not a number"},
        Case{"RtfNotRtf", "rtf", "Вопрос\n+ да\n", "byte 0: not an RTF document"},
        Case{"RtfAnswerFirst", "rtf", "{\\rtf1 + yes\\par Question\\par}", "paragraph 1: an answer \"+ yes\" stands before any question"},
        Case{"TextNoQuestions", "text", "\n\n", "line 1: no questions"},
        Case{"CsvQuoteNeverClosed", "csv", "Q;a;b\n\"Q2;a;b\n", "line 2: a quoted cell is never closed"},
        Case{"CsvBinary", "csv", QByteArray("\x00\x01\x02\xff", 4), "unknown text encoding"},
        Case{"JsonBroken", "json", "{\"title\": ", "not valid JSON"},
        Case{"JsonWrongShape", "json", "{\"title\": \"T\", \"questions\": [{\"question\": \"Q\", \"answers\": [\"a\"]}]}",
             "questions[0].answers: expected 5 answers"}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ImportError, UnreadableFile) {
    EXPECT_THROW(importBankFile("/nonexistent/bank.gift", {}), FormatError);
}

}  // namespace
