// Whole tests in the test window, driven by mouse and keys: moves, scoring, finishing, time-out.
#include "DateTimeText.h"
#include "RichTextView.h"
#include "SharedState.h"
#include "TestFile.h"
#include "TestRun.h"
#include "TestWindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QApplication>

namespace {

const QString FinishQuestion = QStringLiteral("Вы действительно хотите закончить тест?");
const QString TimeIsUp = QStringLiteral("Время вышло!!!");

class TestRun : public TestWindowFixture {};

TEST_F(TestRun, AnsweringEveryQuestionInOrderEndsWithoutAskingAndScoresBoxes) {
    openTest({.questionCount = 3, .rows = 4, .allowReturn = false});
    QStringList positions, shownQuestions;
    bool answersMatchOrder = true;
    runDriving([&](TfrmTest& w) {
        EXPECT_EQ(w.statusPanel(0)->text(), QStringLiteral("Студент: Иванов Пётр"));
        EXPECT_EQ(w.statusPanel(1)->text(), QStringLiteral("Группа: ФИ-21"));
        EXPECT_EQ(w.statusPanel(2)->text(), QString());
        EXPECT_EQ(w.Panel5->text(), QStringLiteral("География"));
        EXPECT_FALSE(w.bPrev->isVisible());
        for (int p = 1; p <= 3; ++p) {
            const QuestionSlot& slot = Shared().Record.slot(p);
            positions << w.Panel4->text();
            shownQuestions << plainText(w.rQuestion);
            for (int box = 1; box <= 5; ++box)
                answersMatchOrder &= plainText(w.answerView(box)) == answerText(slot.QuestionRow, slot.AnswerOrder[box - 1]);
            EXPECT_FALSE(w.bNext->isEnabled()) << "a choice is needed before moving on";
            choose(w, p == 2 ? wrongBox(p) : correctBox(p));
            EXPECT_TRUE(w.bNext->isEnabled());
            click(w.bNext);
        }
    });
    const SharedState& s = Shared();
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(positions, (QStringList{"Вопрос №:1", "Вопрос №:2", "Вопрос №:3"}));
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(shownQuestions[p - 1], questionText(s.Record.slot(p).QuestionRow));
    EXPECT_TRUE(answersMatchOrder);
    EXPECT_EQ(s.Record.slot(1).ChosenBox, correctBox(1));
    EXPECT_EQ(s.Record.slot(2).ChosenBox, wrongBox(2));
    EXPECT_EQ(s.Record.slot(3).ChosenBox, correctBox(3));
    EXPECT_EQ(s.Record.CorrectCount, 2);
    EXPECT_EQ(s.AnsweredCount, 3);
    EXPECT_TRUE(notices.questions.isEmpty());
    EXPECT_TRUE(notices.notices.isEmpty());
    EXPECT_EQ(s.ContinueFlag, 1);
}

TEST_F(TestRun, WithReturnSkippedQuestionsComeBackAndAnsweredOnesNeverDo) {
    openTest({.questionCount = 4, .rows = 6, .allowReturn = true, .resultHere = true});
    QStringList positions;
    runDriving([&](TfrmTest& w) {
        EXPECT_TRUE(w.bPrev->isVisible());
        EXPECT_TRUE(w.bNext->isEnabled());
        EXPECT_EQ(w.statusPanel(2)->text(), QStringLiteral("Баллов: 0. Отвечено вопросов: 0"));
        click(w.bNext);  // skip 1
        positions << w.Panel4->text();
        choose(w, correctBox(2));
        click(w.bNext);  // commit 2
        positions << w.Panel4->text();
        EXPECT_EQ(w.statusPanel(2)->text(), QStringLiteral("Баллов: 1. Отвечено вопросов: 1"));
        click(w.bPrev);  // from 3 back past the answered 2
        positions << w.Panel4->text();
        click(w.bPrev);  // from 1 back, wrapping to 4
        positions << w.Panel4->text();
        choose(w, wrongBox(4));
        click(w.bPrev);  // "< Назад" commits too
        positions << w.Panel4->text();
        EXPECT_EQ(w.statusPanel(2)->text(), QStringLiteral("Баллов: 1. Отвечено вопросов: 2"));
        choose(w, correctBox(3));
        click(w.bNext);
        positions << w.Panel4->text();
        choose(w, correctBox(1));
        click(w.bNext);
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(positions, (QStringList{"Вопрос №:2", "Вопрос №:3", "Вопрос №:1", "Вопрос №:4", "Вопрос №:3",
                                      "Вопрос №:1"}));
    const SharedState& s = Shared();
    EXPECT_EQ(s.Record.CorrectCount, 3);
    EXPECT_EQ(s.AnsweredCount, 4);
    EXPECT_EQ(s.Record.slot(4).ChosenBox, wrongBox(4));
    EXPECT_TRUE(notices.questions.isEmpty());
}

TEST_F(TestRun, TheLastUnansweredQuestionIsShownAgainWhenSkipped) {
    openTest({.questionCount = 2, .rows = 3, .allowReturn = true});
    QStringList positions;
    runDriving([&](TfrmTest& w) {
        choose(w, correctBox(1));
        click(w.bNext);
        click(w.bNext);
        positions << w.Panel4->text() << w.statusPanel(2)->text();
    });
    EXPECT_TRUE(leftOpen);
    EXPECT_EQ(positions, (QStringList{"Вопрос №:2", "Отвечено вопросов: 1"}));
}

struct FinishCase {
    const char* name;
    std::function<void(TfrmTest&)> trigger;
    std::deque<bool> answers;
    bool closes;
    int questionsAsked;
};

class FinishEarly : public TestRun, public ::testing::WithParamInterface<FinishCase> {};

TEST_P(FinishEarly, AsksAndActsOnlyOnYes) {
    const FinishCase& c = GetParam();
    openTest({.questionCount = 3, .rows = 4});
    notices.answers = c.answers;
    bool openAfter = true;
    runDriving([&](TfrmTest& w) {
        choose(w, correctBox(1));  // chosen, never committed: does not count
        c.trigger(w);
        openAfter = w.isVisible();
    });
    EXPECT_EQ(!openAfter, c.closes);
    EXPECT_EQ(notices.questions, QStringList(c.questionsAsked, FinishQuestion));
    EXPECT_EQ(Shared().Record.slot(1).ChosenBox, 0);
    EXPECT_EQ(Shared().Record.CorrectCount, 0);
    EXPECT_EQ(Shared().ContinueFlag, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Triggers, FinishEarly,
    ::testing::Values(
        FinishCase{"ButtonYes", [](TfrmTest& w) { QTest::mouseClick(w.bEnd, Qt::LeftButton); }, {true}, true, 1},
        FinishCase{"ButtonNoThenYes", [](TfrmTest& w) { QTest::mouseClick(w.bEnd, Qt::LeftButton); }, {false, true}, true, 2},
        FinishCase{"ButtonNoNo", [](TfrmTest& w) { QTest::mouseClick(w.bEnd, Qt::LeftButton); }, {false, false}, false, 2},
        FinishCase{"EscapeYes", [](TfrmTest& w) { QTest::keyClick(w.rAnswer1, Qt::Key_Escape); }, {true}, true, 1},
        FinishCase{"EscapeNoNo", [](TfrmTest& w) { QTest::keyClick(w.rAnswer1, Qt::Key_Escape); }, {false, false}, false, 2},
        FinishCase{"CloseBoxYes", [](TfrmTest& w) { w.close(); }, {true}, true, 1},
        FinishCase{"CloseBoxNo", [](TfrmTest& w) { w.close(); }, {false}, false, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TestRun, TimeRunsOutOnTheFirstTickPastTheLimitAndDropsTheUncommittedChoice) {
    openTest({.questionCount = 3, .rows = 4, .minutes = 5});
    QStringList clockTexts;
    bool openAtLimit = false;
    runDriving([&](TfrmTest& w) {
        EXPECT_EQ(w.pnlTime->text(), QStringLiteral("pnlTime"));
        choose(w, correctBox(1));
        clock.advanceMs(5 * 60 * 1000);
        w.Timer1Timer();
        clockTexts << w.pnlTime->text();
        openAtLimit = w.isVisible();
        clock.advanceMs(1000);
        w.Timer1Timer();
        clockTexts << w.pnlTime->text();
    });
    EXPECT_TRUE(openAtLimit) << "elapsed time equal to the limit does not end the test";
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(clockTexts, (QStringList{longTimeText(5 / 1440.0) + "/" + longTimeText(0),
                                       longTimeText(301 / 86400.0) + "/" + longTimeText(-1 / 86400.0)}));
    EXPECT_EQ(notices.notices, QStringList{TimeIsUp});
    EXPECT_TRUE(notices.questions.isEmpty());
    EXPECT_EQ(Shared().Record.slot(1).ChosenBox, 0);
    EXPECT_DOUBLE_EQ(Shared().ElapsedTime, 301 / 86400.0);
}

TEST_F(TestRun, TheClockTicksByItselfAndTimesOutInTheModalWait) {
    openTest({.questionCount = 3, .rows = 4, .minutes = 1});
    bool closedByTick = false;
    runDriving([&](TfrmTest& w) {
        clock.advanceMs(61 * 1000);
        closedByTick = QTest::qWaitFor([&] { return !w.isVisible(); }, 3000);
    });
    EXPECT_TRUE(closedByTick);
    EXPECT_EQ(notices.notices, QStringList{TimeIsUp});
}

TEST_F(TestRun, ATestRunningAcrossMidnightStillTimesOut) {
    openTest({.questionCount = 3, .rows = 4, .minutes = 5});
    clock.time = 1.0 - 60 / 86400.0;  // 23:59:00
    runDriving([&](TfrmTest& w) {
        clock.monotonic += 6 * 60 * 1000;
        clock.time = 5 / 1440.0;  // 00:05:00 the next day
        w.Timer1Timer();
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(notices.notices, QStringList{TimeIsUp});
    EXPECT_DOUBLE_EQ(Shared().ElapsedTime, 6 / 1440.0);
}

TEST_F(TestRun, AQuestionThatFailsToLoadEndsTheTestAndLeavesTheViewsAsTheyWere) {
    openTest({.questionCount = 3, .rows = 4});
    QStringList before, after;
    runDriving([&](TfrmTest& w) {
        before << plainText(w.rQuestion);
        for (int box = 1; box <= 5; ++box) before << plainText(w.answerView(box));
        choose(w, correctBox(1));
        CloseTestTable();
        click(w.bNext);
        after << plainText(w.rQuestion);
        for (int box = 1; box <= 5; ++box) after << plainText(w.answerView(box));
    });
    EXPECT_FALSE(leftOpen);
    const QuestionSlot& first = Shared().Record.slot(1);
    EXPECT_EQ(before.first(), questionText(first.QuestionRow));
    EXPECT_EQ(after, before) << "no view had taken the failing question, so none may change";
    EXPECT_EQ(Shared().Record.CorrectCount, 1) << "answers committed before the failure count";
    EXPECT_EQ(notices.notices, QStringList{QStringLiteral("Не удалось загрузить файл тестов")});
    EXPECT_EQ(Shared().ContinueFlag, 1);
    EXPECT_EQ(Shared().PendingAnswer, 0);
}

TEST_F(TestRun, AFirstQuestionThatFailsToLoadStopsTheLoop) {
    openTest({.questionCount = 3, .rows = 4});
    CloseTestTable();
    bool shown = false;
    QTimer::singleShot(0, [&] { shown = frmTest != nullptr; if (frmTest) frmTest->done(0); });
    StartTest();
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(notices.notices, QStringList{QStringLiteral("Ошибка загрузки в StartTest")});
    EXPECT_EQ(Shared().ContinueFlag, 0);
    EXPECT_EQ(frmTest, nullptr);
}

TEST_F(TestRun, ASecondTestStartsFromZeroAndAsksAgain) {
    openTest({.questionCount = 1, .rows = 2});
    runDriving([&](TfrmTest& w) {
        choose(w, correctBox(1));
        click(w.bNext);
    });
    EXPECT_EQ(Shared().AnsweredCount, 1);
    ResetRun();
    notices.answers = {true};
    int answeredAtStart = -1;
    runDriving([&](TfrmTest& w) {
        answeredAtStart = Shared().AnsweredCount;
        w.close();
    });
    EXPECT_EQ(answeredAtStart, 0);
    EXPECT_EQ(notices.questions.size(), 1);
    EXPECT_FALSE(leftOpen);
}

}  // namespace

namespace {

// Enter presses the button that has the focus, and only elsewhere the default button bNext.
TEST_F(TestWindowFixture, EnterPressesTheFocusedButton) {
    openTest({.questionCount = 3, .rows = 4, .allowReturn = true});
    QStringList positions;
    runDriving([&](TfrmTest& w) {
        QApplication::setActiveWindow(&w);
        w.rAnswer1->setFocus();
        QTest::keyClick(w.rAnswer1, Qt::Key_Return);
        positions << w.Panel4->text();
        w.bPrev->setFocus();
        QTest::keyClick(w.bPrev, Qt::Key_Return);
        positions << w.Panel4->text();
        w.bEnd->setFocus();
        QTest::keyClick(w.bEnd, Qt::Key_Return);
        positions << w.Panel4->text();
    });
    EXPECT_EQ(positions, (QStringList{"Вопрос №:2", "Вопрос №:1", "Вопрос №:1"}));
    EXPECT_EQ(notices.questions.size(), 2) << "Enter on \"Закончить\" asks, and a No asks once more";
}

}  // namespace
