#include "ufrmResult.h"

#include "PieChart3D.h"
#include "SharedState.h"
#include "TestDoubles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs ShowResults and the action on its window once the window is shown and active; ShowResults
// pumps messages while it saves, so a plain single shot could fire before the window exists.
// The test fails when the window never opens, or opens and does not become active within 10 s.
void showResultsAnd(const std::function<void(TfrmResult&)>& action, const std::string& which = {}) {
    bool opened = false;
    const QDeadlineTimer deadline(10000);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* form = qobject_cast<TfrmResult*>(QApplication::activeModalWidget());
        if (!form || !form->isVisible()) return;
        if (!form->isActiveWindow()) {
            if (!deadline.hasExpired()) return;
            ADD_FAILURE() << "the results window never became active " << which;
        } else {
            opened = true;
            action(*form);
        }
        poll.stop();
        if (form->isVisible()) form->close();  // a failed expectation must not leave it open
    });
    poll.start();
    ShowResults();
    EXPECT_TRUE(opened) << "the results window never opened " << which;
}

struct PieSliceSeen {
    QString label;
    double value;
    bool operator==(const PieSliceSeen&) const = default;
};

std::vector<PieSliceSeen> slicesOf(const PieChart3D& chart) {
    std::vector<PieSliceSeen> seen;
    for (const PieSlice& s : chart.slices()) seen.push_back({s.label, s.value});
    return seen;
}

void PrintTo(const PieSliceSeen& s, std::ostream* os) { *os << s.label.toStdString() << "=" << s.value; }

const QString Right = QStringLiteral("Правильно");
const QString Wrong = QStringLiteral("Неправильно");

QStringList markLabelsOf(const PieChart3D& chart) {
    QStringList labels;
    for (const PieMark& mark : chart.marks()) labels << mark.label;
    return labels;
}

class ResultWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeClock clock;
    RecordingNotices notices;
    ScopedClock clockInstalled{clock};
    ScopedNotices noticesInstalled{notices};

    void SetUp() override {
        clock.stepPerTickRead = 50;
        SharedState& s = Shared();
        s = SharedState();
        s.ContinueFlag = 1;
        s.TodayText = "07.12.2026";
        s.ResultsFilePath = dir.path() + "/";
        s.LocalResultsFile = dir.filePath("local.qzr");
        s.TestTitle = "\xC3\xE5\xEE\xE3\xF0\xE0\xF4\xE8\xFF";  // География
        s.QuestionCount = 10;
        s.PointsPerAnswer = 1;
        s.ElapsedTime = (12 * 60 + 34) / 86400.0;
        s.FirstName = "\xC8\xE2\xE0\xED";                  // Иван
        s.LastName = "\xCF\xE5\xF2\xF0\xEE\xE2";          // Петров
        s.Group = "\xC8\xC2-21";                           // ИВ-21
        s.Record.CorrectCount = 7;
    }
};

TEST_F(ResultWindow, PointsAndSliceOrderForEachScore) {
    const struct {
        int correct, count;
        float pointsPerAnswer;
        const char* points;
        std::vector<PieSliceSeen> slices;
    } cases[] = {
        {0, 10, 1, "0 из 10", {{Wrong, 10}, {Right, 0}}},
        {10, 10, 1, "10 из 10", {{Wrong, 0}, {Right, 10}}},
        {7, 10, 1, "7 из 10", {{Wrong, 3}, {Right, 7}}},
        {5, 10, 1, "5 из 10", {{Right, 5}, {Wrong, 5}}},
        {3, 7, 1, "3 из 7", {{Wrong, 4}, {Right, 3}}},
        {4, 7, 1, "4 из 7", {{Wrong, 3}, {Right, 4}}},
        {7, 10, 0.5f, "3,5 из 10", {{Wrong, 3}, {Right, 7}}},
        {7, 10, 0.1f, "0,700000010430813 из 10", {{Wrong, 3}, {Right, 7}}},
    };
    for (const auto& c : cases) {
        Shared().Record.CorrectCount = c.correct;
        Shared().QuestionCount = c.count;
        Shared().PointsPerAnswer = c.pointsPerAnswer;
        const bool ascending = c.correct > c.count / 2;
        showResultsAnd([&](TfrmResult& form) {
            EXPECT_EQ(form.lbBalls->text(),
                      QStringLiteral("Набрано баллов: ") + QString::fromUtf8(c.points) + QStringLiteral(" возможных."));
            EXPECT_EQ(form.Chart1->valueOrder(), ascending ? ValueOrder::Ascending : ValueOrder::Descending);
            EXPECT_EQ(slicesOf(*form.Chart1), c.slices);
            form.Button1->click();
        }, c.points);
    }
}

TEST_F(ResultWindow, ShowsTheStudentTheWholeTitleAndTheTime) {
    Shared().TestTitle = std::string(130, 'T');
    showResultsAnd([](TfrmResult& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Результаты теста"));
        EXPECT_TRUE(form.isMaximized());
        EXPECT_EQ(form.Label1->text(), QStringLiteral("Имя:"));
        EXPECT_EQ(form.Label2->text(), QStringLiteral("Фамилия:"));
        EXPECT_EQ(form.Label3->text(), QStringLiteral("Группа:"));
        EXPECT_EQ(form.lbFirstName->text(), QStringLiteral("Иван"));
        EXPECT_EQ(form.lbLastName->text(), QStringLiteral("Петров"));
        EXPECT_EQ(form.lbGroup->text(), QStringLiteral("ИВ-21"));
        EXPECT_EQ(form.lbTestName->text(), QStringLiteral("Наименование теста: ") + QString(130, 'T'));
        EXPECT_EQ(form.lbTime->text(), QStringLiteral("Время: 00:12:34"));
        EXPECT_EQ(form.Button1->text(), QStringLiteral("В начало"));
        EXPECT_EQ(form.Button2->text(), QStringLiteral("Закончить"));
        // Anchored to the right: 20 pixels to the edge and 20 between the buttons, maximised too.
        EXPECT_EQ(form.Panel1->width() - form.Button1->geometry().right() - 1, 20);
        EXPECT_EQ(form.Button1->x() - form.Button2->geometry().right() - 1, 20);
        EXPECT_GT(form.Panel1->width(), 688);
        form.Button1->click();
    });
}

TEST_F(ResultWindow, LongNamesPushTheNextColumnAsideInsteadOfRunningIntoIt) {
    Shared().LastName = std::string(30, '\xD9');  // 30 times Щ, the widest letter
    showResultsAnd([](TfrmResult& form) {
        for (const QLabel* caption : {form.Label1, form.Label2, form.Label3})
            EXPECT_LT(caption->geometry().right(), form.lbLastName->x());
        EXPECT_LT(form.lbLastName->geometry().right(), form.lbTestName->x());
        EXPECT_EQ(form.lbTestName->x(), form.lbBalls->x());
        EXPECT_EQ(form.lbTestName->y(), 8);
        form.Button1->click();
    });
}

TEST_F(ResultWindow, ButtonsKeysAndCloseBoxSetTheContinueFlag) {
    const struct {
        const char* way;
        std::function<void(TfrmResult&)> close;
        std::uint8_t flag;
    } cases[] = {
        {"click В начало", [](TfrmResult& f) { QTest::mouseClick(f.Button1, Qt::LeftButton); }, 1},
        {"click Закончить", [](TfrmResult& f) { QTest::mouseClick(f.Button2, Qt::LeftButton); }, 0},
        {"Enter", [](TfrmResult&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, 1},
        {"Escape", [](TfrmResult&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }, 0},
        {"close box", [](TfrmResult& f) { f.windowHandle()->close(); }, 7},
    };
    for (const auto& c : cases) {
        Shared().ContinueFlag = 7;  // whatever is not set stays as it was
        bool closed = false;
        showResultsAnd([&](TfrmResult& form) {
            EXPECT_EQ(QApplication::focusWidget(), form.Button1) << c.way;
            c.close(form);
            closed = !form.isVisible();
        }, c.way);
        EXPECT_TRUE(closed) << c.way;
        EXPECT_EQ(Shared().ContinueFlag, c.flag) << c.way;
    }
}

TEST_F(ResultWindow, RecordIsSavedBeforeTheWindowShows) {
    qsizetype savedWhenShown = -1;
    showResultsAnd([&](TfrmResult& form) {
        savedWhenShown = QFile(dir.filePath("07.12.2026.qzr")).size();
        form.Button1->click();
    });
    EXPECT_EQ(savedWhenShown, qsizetype(RecordSize));
}

TEST_F(ResultWindow, BothSavesFailingGiveTheirNoticesAndTheWindowStillShows) {
    Shared().ResultsFilePath = dir.filePath("missing") + "/";
    Shared().LocalResultsFile = dir.filePath("missing/local.qzr");
    QStringList noticesWhenShown;
    showResultsAnd([&](TfrmResult& form) {
        noticesWhenShown = notices.notices;
        form.Button1->click();
    });
    EXPECT_EQ(noticesWhenShown, (QStringList{QStringLiteral("Не удалось сохранить результаты в файл"),
                                             QStringLiteral("Не удалось сохранить результаты в локальный файл")}));
}

// A slice of value 0 has no wedge, but its mark still names it beside the other one.
TEST_F(ResultWindow, SliceOfNoAnswersStillShowsItsMark) {
    const struct {
        int correct;
        QStringList marks;
    } cases[] = {{0, {Wrong, Right}}, {3, {Wrong, Right}}};
    Shared().QuestionCount = 3;
    for (const auto& c : cases) {
        Shared().Record.CorrectCount = c.correct;
        showResultsAnd([&](TfrmResult& form) {
            EXPECT_EQ(markLabelsOf(*form.Chart1), c.marks) << c.correct << " of 3";
            const std::vector<PieMark> marks = form.Chart1->marks();
            for (const PieMark& mark : marks) EXPECT_TRUE(form.Chart1->rect().contains(mark.frame.toRect())) << c.correct;
            ASSERT_EQ(marks.size(), 2u);
            EXPECT_FALSE(marks[0].frame.intersects(marks[1].frame)) << c.correct;
            form.Button1->click();
        }, std::to_string(c.correct) + " of 3");
    }
}

// Pixels of the green and yellow families, whatever the shading.
struct Colours {
    int green = 0, yellow = 0;
};

Colours coloursDrawn(int correct, int wrong) {
    PieChart3D chart;
    chart.resize(400, 300);
    chart.addSlice(Right, correct, QColor(0, 128, 0));
    chart.addSlice(Wrong, wrong, QColor(255, 255, 0));
    const QImage image = chart.grab().toImage();
    Colours seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > c.red() + 40 && c.green() > c.blue() + 40) ++seen.green;
            if (c.red() > 100 && c.green() > 100 && std::abs(c.red() - c.green()) < 40 && c.blue() < 60)
                ++seen.yellow;
        }
    return seen;
}

TEST(PieChart3D, EveryMarkIsPaintedAlsoForASliceOfValueZero) {
    const struct {
        int correct, wrong;
        QStringList marks;  // in the ascending order of the values
    } cases[] = {{0, 3, {Right, Wrong}}, {3, 0, {Wrong, Right}}, {1, 2, {Right, Wrong}}};
    for (const auto& [correct, wrong, marks] : cases) {
        PieChart3D chart;
        chart.resize(400, 300);
        chart.addSlice(Right, correct, QColor(0, 128, 0));
        chart.addSlice(Wrong, wrong, QColor(255, 255, 0));
        const QImage image = chart.grab().toImage();
        ASSERT_EQ(markLabelsOf(chart), marks) << correct << " of " << correct + wrong;
        for (const PieMark& mark : chart.marks()) {
            const QPoint inside = mark.frame.topLeft().toPoint() + QPoint(2, 2);
            EXPECT_EQ(image.pixelColor(inside), QColor(255, 255, 225)) << mark.label.toStdString() << " " << correct;
        }
    }
}

TEST(PieChart3D, EmptySlicesDrawNothingAndOthersDraw) {
    const Colours none = coloursDrawn(0, 10);
    EXPECT_EQ(none.green, 0);
    EXPECT_GT(none.yellow, 1000);
    const Colours all = coloursDrawn(10, 0);
    EXPECT_EQ(all.yellow, 0);
    EXPECT_GT(all.green, 1000);
    const Colours mixed = coloursDrawn(3, 7);
    EXPECT_GT(mixed.green, 300);
    EXPECT_GT(mixed.yellow, mixed.green);
    const Colours nothing = coloursDrawn(0, 0);
    EXPECT_EQ(nothing.green + nothing.yellow, 0);
}

}  // namespace
