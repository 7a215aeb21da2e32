#include "Random.h"
#include "SharedState.h"
#include "TestRun.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>

namespace {

std::uint32_t fixedSeed = 0;
std::uint32_t seedFromTest() { return fixedSeed; }

class TestRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Shared() = SharedState{};
        setSeedSource(seedFromTest);
    }
    void TearDown() override { setSeedSource(nullptr); }

    static void answerAllBut(int count, std::set<int> unanswered) {
        Shared().QuestionCount = count;
        for (int p = 1; p <= count; ++p) Shared().Record.slot(p).ChosenBox = unanswered.count(p) ? 0 : 1;
    }
};

}  // namespace

TEST_F(TestRunFixture, ShuffleWithAFixedSeedGivesTheFormulasPermutation) {
    fixedSeed = 42;
    ShuffleAnswers();
    EXPECT_EQ(Shared().AnswerOrder, (std::array<std::int32_t, 5>{3, 2, 4, 5, 1}));
}

TEST_F(TestRunFixture, ShufflePutsTheCorrectAnswerInEveryBox) {
    std::set<int> boxesOfAnswerOne;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        fixedSeed = seed * 2654435761u;
        ShuffleAnswers();
        auto order = Shared().AnswerOrder;
        auto sorted = order;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::array<std::int32_t, 5>{1, 2, 3, 4, 5}));
        boxesOfAnswerOne.insert(int(std::find(order.begin(), order.end(), 1) - order.begin()));
    }
    EXPECT_EQ(boxesOfAnswerOne.size(), 5u);
}

TEST_F(TestRunFixture, DrawFollowsTheFormulaAndNeverRepeats) {
    Shared().QuestionCount = 5;
    fixedSeed = 7;
    DrawQuestions(6);
    EXPECT_EQ(std::vector<int>(Shared().QuestionDraw.begin(), Shared().QuestionDraw.begin() + 5),
              (std::vector<int>{2, 6, 5, 1, 4}));
}

TEST_F(TestRunFixture, DrawOfAllButOneRowReachesEveryRowOverManyTests) {
    Shared().QuestionCount = 10;
    std::set<int> everDrawn;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        fixedSeed = seed * 40503u;
        DrawQuestions(11);
        std::set<int> rows(Shared().QuestionDraw.begin(), Shared().QuestionDraw.begin() + 10);
        ASSERT_EQ(rows.size(), 10u);
        ASSERT_GE(*rows.begin(), 1);
        ASSERT_LE(*rows.rbegin(), 11);
        everDrawn.insert(rows.begin(), rows.end());
    }
    EXPECT_EQ(everDrawn.size(), 11u);
}

TEST_F(TestRunFixture, PrepareFillsEachSlotWithItsRowAndAPermutation) {
    Shared().QuestionCount = 100;
    Shared().QuestionRecordCount = 150;
    fixedSeed = 5;
    PrepareQuestions();
    std::set<int> rows;
    for (int p = 1; p <= 100; ++p) {
        rows.insert(Shared().Record.slot(p).QuestionRow);
        auto order = Shared().Record.slot(p).AnswerOrder;
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::array<std::int32_t, 5>{1, 2, 3, 4, 5}));
    }
    EXPECT_EQ(rows.size(), 100u);
}

TEST_F(TestRunFixture, CountCorrectMapsTheChosenBoxThroughTheOrder) {
    Shared().QuestionCount = 1;
    Shared().Record.slot(1).AnswerOrder = {3, 1, 5, 2, 4};
    for (int box = 0; box <= 5; ++box) {
        Shared().Record.slot(1).ChosenBox = box;
        EXPECT_EQ(CountCorrect(), box == 2 ? 1 : 0) << box;
    }
}

TEST_F(TestRunFixture, CountCorrectLooksOnlyAtTheCurrentTestsSlots) {
    Shared().QuestionCount = 30;
    for (int p = 1; p <= 30; ++p) Shared().Record.slot(p) = {p, {1, 2, 3, 4, 5}, 1};
    Shared().QuestionCount = 10;
    EXPECT_EQ(CountCorrect(), 10);
}

TEST_F(TestRunFixture, UnansweredSearchesWrapBothWays) {
    struct Case {
        std::set<int> unanswered;
        int from;
        int next, prev;
    };
    const Case cases[] = {
        {{2}, 4, 2, 2},  {{2}, 1, 2, 2}, {{2}, 2, 2, 2}, {{2}, 6, 2, 2},
        {{2}, 0, 2, 2},  {{1, 5}, 3, 5, 1}, {{1, 5}, 5, 5, 5}, {{}, 3, -1, -1},
        {{3, 4}, 4, 4, 4}, {{3, 4}, 5, 3, 4},
        // Only the last (or first) question left, the search starting past it: each wrap must
        // reach the very end of the range, not stop one short.
        {{5}, 3, 5, 5}, {{5}, 1, 5, 5}, {{1}, 3, 1, 1}, {{1}, 5, 1, 1},
    };
    for (const Case& c : cases) {
        answerAllBut(5, c.unanswered);
        EXPECT_EQ(FindNextUnanswered(c.from), c.next) << c.from;
        EXPECT_EQ(FindPrevUnanswered(c.from), c.prev) << c.from;
    }
}

TEST_F(TestRunFixture, QuestionCountOutsideTheRecordIsHeldToItsSlots) {
    struct Case {
        int questionCount, positions;
    };
    const Case cases[] = {{-3, 1}, {0, 1}, {1, 1}, {57, 57}, {100, 100}, {101, 100}, {5000, 100}};
    for (const Case& c : cases) {
        Shared() = SharedState{};
        Shared().QuestionCount = c.questionCount;
        EXPECT_EQ(QuestionsInTest(), c.positions) << c.questionCount;
        // Every slot is unanswered, so the backward search wrapping from 0 lands on the last one.
        EXPECT_EQ(FindPrevUnanswered(0), c.positions) << c.questionCount;
        Shared().QuestionRecordCount = 200;
        PrepareQuestions();
        EXPECT_NE(Shared().Record.slot(c.positions).QuestionRow, 0) << c.questionCount;
        if (c.positions < 100) {
            EXPECT_EQ(Shared().Record.slot(c.positions + 1).QuestionRow, 0) << c.questionCount;
        }
    }
}

TEST_F(TestRunFixture, ResetRunClearsAnswersAndCountsOnly) {
    SharedState& s = Shared();
    s.QuestionCount = 3;
    for (int p = 1; p <= 4; ++p) s.Record.slot(p) = {p, {2, 1, 3, 4, 5}, 3};
    s.Record.CorrectCount = 2;
    s.Record.TimeSpent = "00:01:00";
    s.Record.FirstName = "Ann";
    s.CurrentPosition = 3;
    s.StartTime = 0.25;
    ResetRun();
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(s.Record.slot(p).ChosenBox, 0);
        EXPECT_EQ(s.Record.slot(p).QuestionRow, p);
        EXPECT_EQ(s.Record.slot(p).AnswerOrder[0], 2);
    }
    EXPECT_EQ(s.Record.slot(4).ChosenBox, 3);
    EXPECT_EQ(s.Record.CorrectCount, 0);
    EXPECT_TRUE(s.Record.TimeSpent.empty());
    EXPECT_EQ(s.Record.FirstName, "Ann");
    EXPECT_EQ(s.CurrentPosition, 0);
    EXPECT_EQ(s.StartTime, 0);
}
