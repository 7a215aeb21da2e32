// Reading a question: the BLOBs of a row, inflated, the answers in the order of the slot, and
// the line handling that turns each answer into CR LF lines.
#include "Fixtures.h"
#include "SharedState.h"
#include "TestDoubles.h"
#include "TestFile.h"

#include <gtest/gtest.h>

namespace {

// Text that does not compress, so that its BLOB spans several LVAL pages.
std::string noise(std::size_t size) {
    std::string text(size, ' ');
    std::uint32_t seed = 7;
    for (char& c : text) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>('A' + (seed >> 16) % 26);
    }
    return text;
}

std::string rtf(const std::string& body) { return "{\\rtf1\\ansi\\ansicpg1251 " + body + "\\par}"; }

class ReadQuestionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shared().CurrentPosition = 1;
        Shared().Record.slot(1).AnswerOrder = {1, 2, 3, 4, 5};
    }
    void TearDown() override { CloseTestTable(); }

    // Opens a test whose first row is given and whose other rows are small good questions.
    void openWithFirstRow(const std::vector<jet::Value>& first) {
        jet::Table test = questionTable(11);
        test.rows[0] = first;
        InfoRow info;
        info.questionCount = 1;
        ASSERT_TRUE(OpenTestFile(dir.write("t.qzt", {infoTable(info), test})));
    }
    void openWithQuestion(const jet::Value& question) {
        std::vector<jet::Value> row = packedRow("", {"a", "b", "c", "d", "e"});
        row[0] = question;
        openWithFirstRow(row);
    }

    FixtureDir dir;
    RecordingNotices notices;
    ScopedNotices scoped{notices};
};

TEST_F(ReadQuestionTest, QuestionDocumentsOfEverySizeArriveAsStored) {
    const std::string cyrillic = rtf("\\'c2\\'ee\\'EF\\'f0\\'ee\\'f1 ") + "\xC2\xEE\xEF\xF0\xEE\xF1";
    for (const std::string& document : {std::string("0123456789"), rtf(noise(5 * 1024)), rtf(noise(300 * 1024)), cyrillic}) {
        openWithQuestion(packed(document));
        const QuestionDocuments read = ReadQuestion(1);
        EXPECT_EQ(read.question.toStdString(), document) << document.size();
        EXPECT_EQ(read.answers[0], "a\r\n");
    }
}

TEST_F(ReadQuestionTest, AnswerViewsFollowTheAnswerOrderOfTheSlotAtTheCurrentPosition) {
    InfoRow info;
    info.questionCount = 2;
    ASSERT_TRUE(OpenTestFile(dir.write("t.qzt", {infoTable(info), questionTable(11)})));
    Shared().CurrentPosition = 2;
    Shared().Record.slot(2).AnswerOrder = {3, 5, 1, 2, 4};
    const QuestionDocuments read = ReadQuestion(7);
    EXPECT_EQ(read.question, "Q7");
    const std::array<QByteArray, 5> expected = {"A3-7\r\n", "A5-7\r\n", "A1-7\r\n", "A2-7\r\n", "A4-7\r\n"};
    EXPECT_EQ(read.answers, expected);
    EXPECT_EQ(ReadQuestion(11).question, "Q11");
}

TEST_F(ReadQuestionTest, AnswersAreSplitIntoLinesEachEndingInCrLf) {
    struct Case {
        std::string stored, shown;
    };
    const std::vector<Case> cases = {
        {"one\rtwo", "one\r\ntwo\r\n"},       {"one\ntwo\r\n", "one\r\ntwo\r\n"},
        {"one\r\n\r\ntwo", "one\r\n\r\ntwo\r\n"}, {"one\n\rtwo", "one\r\n\r\ntwo\r\n"},
        {std::string("one\0two", 7), "one\r\n"}, {std::string("\0two", 4), ""},
        {"\r\n", "\r\n"},                     {"\xC0\xE1\xE2", "\xC0\xE1\xE2\r\n"},
    };
    for (const Case& c : cases) {
        openWithFirstRow(packedRow(c.stored, {c.stored, "b", "c", "d", "e"}));
        const QuestionDocuments read = ReadQuestion(1);
        EXPECT_EQ(read.answers[0].toStdString(), c.shown) << c.stored;
        EXPECT_EQ(read.question.toStdString(), c.stored) << "the question arrives unchanged";
    }
}

TEST_F(ReadQuestionTest, LoadAnswerOutsideOneToFiveIsEmptyButStillNeedsTheRow) {
    openWithFirstRow(packedRow("q", {"first\rsecond", "b", "c", "d", "e"}));
    EXPECT_EQ(LoadAnswer(1, 1), (QStringList{"first", "second"}));
    EXPECT_TRUE(LoadAnswer(0, 1).isEmpty());
    EXPECT_TRUE(LoadAnswer(6, 1).isEmpty());
    EXPECT_THROW(LoadAnswer(0, 12), TestFileError);
}

TEST_F(ReadQuestionTest, AnswerOrderOutsideOneToFiveGivesAnEmptyView) {
    openWithFirstRow(packedRow("q", {"a", "b", "c", "d", "e"}));
    Shared().Record.slot(1).AnswerOrder = {0, 2, 3, 4, 6};
    const QuestionDocuments read = ReadQuestion(1);
    EXPECT_EQ(read.answers[0], "");
    EXPECT_EQ(read.answers[1], "b\r\n");
    EXPECT_EQ(read.answers[4], "");
}

TEST_F(ReadQuestionTest, NullOrEmptyDocumentsReadAsEmpty) {
    std::vector<jet::Value> threeAnswers = packedRow("q", {"a", "b", "c"});
    threeAnswers.emplace_back();
    threeAnswers.emplace_back(Blob{});
    openWithFirstRow(threeAnswers);
    Shared().Record.slot(1).AnswerOrder = {4, 1, 5, 2, 3};
    const QuestionDocuments read = ReadQuestion(1);
    EXPECT_EQ(read.question, "q");
    const std::array<QByteArray, 5> expected = {"", "a\r\n", "", "b\r\n", "c\r\n"};
    EXPECT_EQ(read.answers, expected);
    EXPECT_TRUE(LoadAnswer(4, 1).isEmpty());

    for (const jet::Value& question : {jet::Value{}, jet::Value{Blob{}}}) {
        openWithQuestion(question);
        EXPECT_EQ(ReadQuestion(1).question, "");
    }
}

TEST_F(ReadQuestionTest, BadDocumentsRaiseTestFileError) {
    Blob corrupt = packed(rtf(noise(2000)));
    corrupt[corrupt.size() / 2] ^= 0x55;
    Blob wrongChecksum = packed("checked");
    wrongChecksum.back() ^= 1;
    Blob truncated = packed(rtf(noise(2000)));
    truncated.resize(truncated.size() - 10);
    const std::vector<std::pair<const char*, jet::Value>> cases = {
        {"raw deflate", rawDeflate("{\\rtf1 raw}")},
        {"corrupt", corrupt},
        {"wrong Adler-32", wrongChecksum},
        {"truncated", truncated},
        {"beyond 64 MiB", packed(std::string(64 * 1024 * 1024 + 1, 'x'))},
    };
    for (const auto& [name, value] : cases) {
        openWithQuestion(value);
        EXPECT_THROW(ReadQuestion(1), TestFileError) << name;
        std::vector<jet::Value> row = packedRow("q", {"a", "b", "c", "d", "e"});
        row[3] = value;
        openWithFirstRow(row);
        EXPECT_THROW(ReadQuestion(1), TestFileError) << name << " as an answer";
        EXPECT_NO_THROW(ReadQuestion(2)) << "other rows stay readable";
    }
}

TEST_F(ReadQuestionTest, RowsAndColumnsThatAreNotThereRaiseTestFileError) {
    openWithQuestion(packed("q"));
    for (const std::int32_t row : {0, -1, 12}) EXPECT_THROW(ReadQuestion(row), TestFileError) << row;
    Shared().CurrentPosition = 0;
    EXPECT_THROW(ReadQuestion(1), TestFileError);
    Shared().CurrentPosition = 1;

    jet::Table withoutA5 = questionTable(11);
    withoutA5.columns.pop_back();
    for (auto& row : withoutA5.rows) row.pop_back();
    jet::Table textQuestion = questionTable(11);
    textQuestion.columns[0].type = jet::ColumnType::Text;
    for (auto& row : textQuestion.rows) row[0] = std::string("q");
    InfoRow info;
    info.questionCount = 1;
    for (const jet::Table& test : {withoutA5, textQuestion}) {
        ASSERT_TRUE(OpenTestFile(dir.write("t.qzt", {infoTable(info), test})));
        EXPECT_THROW(ReadQuestion(1), TestFileError);
    }
    CloseTestTable();
    EXPECT_THROW(ReadQuestion(1), TestFileError);
}

}  // namespace
