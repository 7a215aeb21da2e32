// Item statistics against values worked out by hand.
#include "Attempt.h"
#include "ItemAnalysis.h"
#include "RecordFixtures.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

std::vector<Attempt> attemptsOf(const std::vector<ResultRecord>& records) {
    std::vector<Attempt> attempts;
    for (const ResultRecord& r : records) attempts.push_back(attemptOf({r, 0, 0}, QStringLiteral("f.qzr")));
    return attempts;
}

std::vector<const Attempt*> pointers(const std::vector<Attempt>& attempts) {
    std::vector<const Attempt*> p;
    for (const Attempt& a : attempts) p.push_back(&a);
    return p;
}

const QDate Day(2026, 12, 7);

// Four students, three rows; scores 3, 2, 1, 0.
std::vector<ResultRecord> fourStudents() {
    return {answeredRecord("A", "G", "T", Day, {1, 1, 1}), answeredRecord("B", "G", "T", Day, {1, 2, 1}),
            answeredRecord("C", "G", "T", Day, {1, 0, 3}), answeredRecord("D", "G", "T", Day, {2, 3, 3})};
}

TEST(ItemAnalysis, CountsFacilityDiscriminationAndDistractorsAsWorkedOutByHand) {
    const std::vector<Attempt> attempts = attemptsOf(fourStudents());
    const std::vector<TestStats> tests = analyseItems(pointers(attempts));
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].title, "T");
    EXPECT_EQ(tests[0].attempts, 4);
    ASSERT_EQ(tests[0].questions.size(), 3u);
    const struct {
        int row, correct, unanswered;
        std::array<int, 5> chosen;
        double facility, discrimination;
    } expected[] = {
        // Row 1: item 1,1,1,0 against rest 2,1,0,0: r = 0.75 / sqrt(0.75 * 2.75).
        {1, 3, 0, {3, 1, 0, 0, 0}, 0.75, 0.75 / std::sqrt(0.75 * 2.75)},
        // Row 2: item 1,0,0,0 against rest 2,2,1,0.
        {2, 1, 1, {1, 1, 1, 0, 0}, 0.25, 0.75 / std::sqrt(0.75 * 2.75)},
        // Row 3: item 1,1,0,0 against rest 2,1,1,0: r = 1 / sqrt(2).
        {3, 2, 0, {2, 0, 2, 0, 0}, 0.5, 1 / std::sqrt(2.0)},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const QuestionStats& q = tests[0].questions[i];
        EXPECT_EQ(q.row, expected[i].row);
        EXPECT_EQ(q.asked, 4);
        EXPECT_EQ(q.correct, expected[i].correct) << "row " << q.row;
        EXPECT_EQ(q.unanswered, expected[i].unanswered) << "row " << q.row;
        EXPECT_EQ(q.chosen, expected[i].chosen) << "row " << q.row;
        EXPECT_DOUBLE_EQ(q.facility, expected[i].facility) << "row " << q.row;
        ASSERT_TRUE(q.discrimination.has_value());
        EXPECT_NEAR(*q.discrimination, expected[i].discrimination, 1e-12) << "row " << q.row;
        EXPECT_FALSE(q.likelyWrongKey) << "row " << q.row;
    }
    EXPECT_EQ(tests[0].scoreDistribution[0], 1);   // 0%
    EXPECT_EQ(tests[0].scoreDistribution[3], 1);   // 33%
    EXPECT_EQ(tests[0].scoreDistribution[6], 1);   // 67%
    EXPECT_EQ(tests[0].scoreDistribution[10], 1);  // 100%
}

TEST(ItemAnalysis, FlagsEasyHardAndAWrongAnswerThatDrawsTheStrongest) {
    // Row 1's answer 2 is chosen by the two who got rows 2 and 3 right: its key is likely wrong.
    const std::vector<Attempt> attempts = attemptsOf(
        {answeredRecord("E", "G", "K", Day, {2, 1, 1, 1}), answeredRecord("F", "G", "K", Day, {2, 1, 1, 1}),
         answeredRecord("G", "G", "K", Day, {1, 2, 2, 1}), answeredRecord("H", "G", "K", Day, {1, 3, 3, 1}),
         answeredRecord("I", "G", "K", Day, {3, 4, 4, 1})});
    const std::vector<TestStats> tests = analyseItems(pointers(attempts));
    ASSERT_EQ(tests.size(), 1u);
    const std::vector<QuestionStats>& q = tests[0].questions;
    ASSERT_EQ(q.size(), 4u);
    EXPECT_TRUE(q[0].likelyWrongKey);
    EXPECT_FALSE(q[1].likelyWrongKey);
    EXPECT_TRUE(q[3].tooEasy);
    EXPECT_FALSE(q[3].discrimination.has_value()) << "an item everyone got right does not discriminate";
    EXPECT_FALSE(q[0].tooHard);
    EXPECT_FALSE(q[1].tooEasy);
}

TEST(ItemAnalysis, GroupsByTitleAndSkipsRecordsWithoutQuestionDetail) {
    ResultRecord bare = answeredRecord("Z", "G", "B", Day, {1, 1});
    bare.slot(1).QuestionRow = 0;
    const std::vector<Attempt> attempts = attemptsOf({answeredRecord("A", "G", "A", Day, {1}), bare});
    const std::vector<TestStats> tests = analyseItems(pointers(attempts));
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(tests[0].title, "A");
    EXPECT_EQ(tests[1].title, "B");
    ASSERT_EQ(tests[1].questions.size(), 1u);
    EXPECT_EQ(tests[1].questions[0].row, 2);
}

TEST(ItemAnalysis, JsonHasTheDocumentedShape) {
    const std::vector<Attempt> attempts = attemptsOf(fourStudents());
    const QJsonObject json = QJsonDocument::fromJson(itemAnalysisJson(analyseItems(pointers(attempts))).toUtf8()).object();
    const QJsonObject test = json["tests"][0].toObject();
    EXPECT_EQ(test["title"].toString(), "T");
    EXPECT_EQ(test["attempts"].toInt(), 4);
    const QJsonObject row2 = test["questions"][1].toObject();
    EXPECT_EQ(row2.keys(), (QStringList{"asked", "chosen", "correct", "discrimination", "facility", "row", "unanswered"}));
    EXPECT_EQ(row2["row"].toInt(), 2);
    EXPECT_EQ(row2["unanswered"].toInt(), 1);
    EXPECT_EQ(row2["chosen"].toVariant().toList(), (QVariantList{1, 1, 1, 0, 0}));
    EXPECT_DOUBLE_EQ(row2["facility"].toDouble(), 0.25);
}

}  // namespace
