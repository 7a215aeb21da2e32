// The time runs out while the finish question is open. Whatever started the question and
// whatever the answer, the test must end, the results must follow and both results files must
// get the record.
#include "ResultsFile.h"
#include "RichTextView.h"
#include "SharedState.h"
#include "TestWindowFixture.h"
#include "ufrmResult.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <ostream>

namespace {

const QString FinishQuestion = QStringLiteral("Вы действительно хотите закончить тест?");
const QString TimeIsUp = QStringLiteral("Время вышло!!!");
constexpr qint64 RecordBytes = 3472;
constexpr int ResultsDeadlineMs = 3000;

// Like a message box, the question lets the clock tick while it waits: at the chosen question the
// tick past the limit arrives before the student answers.
class TimeRunsOutWhileAsked final : public Notices {
public:
    TimeRunsOutWhileAsked(FakeClock& clock, int atQuestion, bool answer)
        : clock_(clock), atQuestion_(atQuestion), answer_(answer) {}
    QStringList shown;  // notices and questions, in the order they came

    void notice(const QString& text) override { shown << text; }
    bool question(const QString& text) override {
        shown << text;
        if (++asked_ != atQuestion_) return false;
        clock_.advanceMs(61 * 1000);
        if (frmTest) frmTest->Timer1Timer();
        return answer_;
    }

private:
    FakeClock& clock_;
    int atQuestion_, asked_ = 0;
    bool answer_;
};

struct TimeOutCase {
    const char* name;
    void (*finish)(TfrmTest&);
    int timeOutAtQuestion;
    bool answer;
};

void PrintTo(const TimeOutCase& c, std::ostream* out) { *out << c.name; }

void closeBox(TfrmTest& w) { w.close(); }
void finishButton(TfrmTest& w) { QTest::mouseClick(w.bEnd, Qt::LeftButton); }
void escape(TfrmTest& w) { QTest::keyClick(w.rAnswer1, Qt::Key_Escape); }

class TimeOutWhileAsked : public TestWindowFixture, public ::testing::WithParamInterface<TimeOutCase> {
protected:
    void SetUp() override {
        TestWindowFixture::SetUp();
        SharedState& s = Shared();
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("shared"))));
        s.ResultsFilePath = dir.filePath(QStringLiteral("shared")) + QLatin1Char('/');
        s.TodayText = QStringLiteral("11.12.2026");
        s.LocalResultsFile = dir.filePath(QStringLiteral("local.qzr"));
    }
    void TearDown() override {
        setNotices(&notices);
        TestWindowFixture::TearDown();
    }

    // The main loop's steps after registration: the test, then the results when it went on.
    bool runTestThenResults() {
        runDriving([](TfrmTest& w) {
            choose(w, 1);
            GetParam().finish(w);
            // The close box asks once per press: the second question needs a second press.
            if (w.isVisible() && GetParam().timeOutAtQuestion == 2) GetParam().finish(w);
        });
        if (Shared().ContinueFlag != 1) return false;
        // Saving waits in the message loop before the results window opens: look until it does.
        bool resultsShown = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&resultsShown] {
            auto* results = qobject_cast<TfrmResult*>(QApplication::activeModalWidget());
            if (!results || resultsShown) return;
            resultsShown = true;
            QTest::mouseClick(results->Button1, Qt::LeftButton);
        });
        poll.start(5);
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&resultsShown] {
            if (resultsShown) return;
            ADD_FAILURE() << "the results window did not open in time";
            if (QWidget* open = QApplication::activeModalWidget()) open->close();
        });
        deadline.start(ResultsDeadlineMs);
        ShowResults();
        return resultsShown;
    }
};

TEST_P(TimeOutWhileAsked, TheTestEndsAndItsRecordIsSaved) {
    const TimeOutCase& c = GetParam();
    openTest({.questionCount = 3, .rows = 4, .minutes = 1});
    TimeRunsOutWhileAsked asked(clock, c.timeOutAtQuestion, c.answer);
    setNotices(&asked);

    EXPECT_TRUE(runTestThenResults());

    EXPECT_FALSE(leftOpen) << "the test window stayed open after the time-out";
    QStringList expected(c.timeOutAtQuestion, FinishQuestion);
    expected << TimeIsUp;
    EXPECT_EQ(asked.shown, expected);
    EXPECT_EQ(FinishFlag, 1);
    EXPECT_EQ(QFileInfo(Shared().ResultsFilePath + QStringLiteral("11.12.2026.qzr")).size(), RecordBytes);
    EXPECT_EQ(QFileInfo(Shared().LocalResultsFile).size(), RecordBytes);
    EXPECT_EQ(Shared().Record.slot(1).ChosenBox, 0) << "the choice was never committed";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayOfAsking, TimeOutWhileAsked,
    ::testing::Values(TimeOutCase{"CloseBoxFirstYes", closeBox, 1, true},
                      TimeOutCase{"CloseBoxFirstNo", closeBox, 1, false},
                      TimeOutCase{"CloseBoxSecondYes", closeBox, 2, true},
                      TimeOutCase{"CloseBoxSecondNo", closeBox, 2, false},
                      TimeOutCase{"FinishButtonFirstYes", finishButton, 1, true},
                      TimeOutCase{"FinishButtonFirstNo", finishButton, 1, false},
                      TimeOutCase{"FinishButtonSecondYes", finishButton, 2, true},
                      TimeOutCase{"FinishButtonSecondNo", finishButton, 2, false},
                      TimeOutCase{"EscapeFirstYes", escape, 1, true},
                      TimeOutCase{"EscapeFirstNo", escape, 1, false},
                      TimeOutCase{"EscapeSecondYes", escape, 2, true},
                      TimeOutCase{"EscapeSecondNo", escape, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
