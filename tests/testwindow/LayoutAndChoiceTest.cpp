// The test window's proportional layout, and choosing an answer with the mouse and the keyboard.
#include "QtPrinting.h"
#include "RichTextView.h"
#include "SharedState.h"
#include "TestLayout.h"
#include "TestWindowFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <array>

namespace {

struct Panel2Case {
    int width, height;
    QRect question;
    std::array<QRect, 5> answers;
    QRect panel6;
};

TEST(TestLayout, Panel2RowsAndColumnsFollowTheClientSize) {
    const Panel2Case cases[] = {
        // The design size: c = 97, d = 336.
        {688, 413, {5, 5, 678, 97},
         {{{5, 107, 336, 97}, {5, 209, 336, 97}, {5, 311, 336, 97}, {346, 107, 336, 97}, {346, 209, 336, 97}}},
         {346, 311, 336, 97}},
        // One pixel more each way: the integer divisions drop the odd pixel.
        {689, 414, {5, 5, 679, 97},
         {{{5, 107, 337, 97}, {5, 209, 337, 97}, {5, 311, 337, 97}, {347, 107, 337, 97}, {347, 209, 337, 97}}},
         {347, 311, 337, 97}},
        // Too small for the rows: sizes stop at zero instead of going negative.
        {20, 20, {5, 5, 10, 0}, {{{5, 10, 2, 0}, {5, 15, 2, 0}, {5, 20, 2, 0}, {12, 10, 2, 0}, {12, 15, 2, 0}}},
         {12, 20, 2, 0}},
        {0, 0, {5, 5, 0, 0}, {{{5, 10, 0, 0}, {5, 15, 0, 0}, {5, 20, 0, 0}, {10, 10, 0, 0}, {10, 15, 0, 0}}},
         {10, 20, 0, 0}},
    };
    for (const Panel2Case& c : cases) {
        const Panel2Layout layout = layoutPanel2(c.width, c.height);
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(layout.question, c.question);
        for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(layout.answers[k], c.answers[k]) << "answer " << k + 1;
        EXPECT_EQ(layout.panel6, c.panel6);
    }
}

struct Panel6Case {
    int width, height;
    bool allowReturn;
    QRect next, prev, end;
    bool prevVisible;
};

TEST(TestLayout, Panel6ButtonsFillTheirHalves) {
    const Panel6Case cases[] = {
        {336, 97, true, {168, 0, 168, 48}, {0, 0, 168, 48}, {0, 48, 336, 48}, true},
        {336, 97, false, {0, 0, 336, 48}, {}, {0, 48, 336, 48}, false},
        // Odd width: the two upper buttons together are one pixel narrower than the panel.
        {337, 98, true, {168, 0, 168, 49}, {0, 0, 168, 49}, {0, 49, 337, 49}, true},
        {-4, -4, true, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, true},
    };
    for (const Panel6Case& c : cases) {
        const Panel6Layout layout = layoutPanel6(c.width, c.height, c.allowReturn);
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.allowReturn ? " with return" : ""));
        EXPECT_EQ(layout.next, c.next);
        EXPECT_EQ(layout.end, c.end);
        EXPECT_EQ(layout.prevVisible, c.prevVisible);
        if (c.prevVisible) {
            EXPECT_EQ(layout.prev, c.prev);
        }
    }
}

class AnswerChoice : public TestWindowFixture {
protected:
    static void hover(QWidget* view) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), view->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    static QStringList texts(const TfrmTest& w) {
        QStringList all{plainText(w.rQuestion)};
        for (int box = 1; box <= 5; ++box) all << plainText(w.answerView(box));
        return all;
    }
};

TEST_F(AnswerChoice, AnyMouseButtonOrTheSpaceBarChoosesAndOnlyTheLastChoiceCounts) {
    openTest({.questionCount = 3, .rows = 4, .allowReturn = false});
    runDriving([&](TfrmTest& w) {
        const QStringList loaded = texts(w);
        EXPECT_FALSE(w.bNext->isEnabled());

        choose(w, 4, Qt::RightButton);
        EXPECT_EQ(Shared().PendingAnswer, 4);
        EXPECT_TRUE(w.bNext->isEnabled());
        EXPECT_TRUE(w.Shape2->isVisible());
        EXPECT_EQ(w.Shape2->geometry(), w.rAnswer4->geometry().adjusted(-2, -2, 2, 2));

        choose(w, 2, Qt::MiddleButton);
        EXPECT_EQ(Shared().PendingAnswer, 2);
        EXPECT_EQ(w.Shape2->geometry(), w.rAnswer2->geometry().adjusted(-2, -2, 2, 2));

        QTest::keyClick(w.rAnswer5, Qt::Key_A);
        EXPECT_EQ(Shared().PendingAnswer, 2) << "keys other than the space bar choose nothing";
        QTest::keyClick(w.rAnswer5, Qt::Key_Space);
        EXPECT_EQ(Shared().PendingAnswer, 5);

        QTest::mouseClick(w.rQuestion->viewport(), Qt::LeftButton);
        EXPECT_EQ(Shared().PendingAnswer, 5) << "the question can never be chosen";
        EXPECT_EQ(texts(w), loaded) << "nothing the student does changes the texts";
    });
}

TEST_F(AnswerChoice, HoverFrameFollowsThePointerAndTheFocusButNeverTheQuestion) {
    openTest({.questionCount = 3, .rows = 4, .allowReturn = true});
    runDriving([&](TfrmTest& w) {
        hover(w.rQuestion->viewport());
        EXPECT_FALSE(w.Shape1->isVisible());
        hover(w.rAnswer3->viewport());
        EXPECT_TRUE(w.Shape1->isVisible());
        EXPECT_EQ(w.Shape1->geometry(), w.rAnswer3->geometry().adjusted(-1, -1, 1, 1));
        EXPECT_EQ(w.Shape1->penStyle(), Qt::DotLine);
        EXPECT_EQ(w.Shape2->penStyle(), Qt::SolidLine);
        EXPECT_EQ(w.Shape2->penWidth(), 2);

        choose(w, 1);
        EXPECT_FALSE(w.Shape1->isVisible()) << "a choice hides the hover frame";

        QApplication::setActiveWindow(&w);
        w.rAnswer1->setFocus(Qt::TabFocusReason);
        QList<QWidget*> order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
            order << w.focusWidget();
        }
        EXPECT_EQ(order, (QList<QWidget*>{w.rAnswer2, w.rAnswer3, w.rAnswer4, w.rAnswer5, w.bPrev, w.bNext}));
        EXPECT_EQ(w.Shape1->geometry(), w.rAnswer5->geometry().adjusted(-1, -1, 1, 1))
            << "entering an answer by Tab frames it";
    });
}

TEST_F(AnswerChoice, ResizingHidesTheFramesButKeepsTheChoice) {
    openTest({.questionCount = 3, .rows = 4, .allowReturn = false});
    runDriving([&](TfrmTest& w) {
        choose(w, 3);
        w.showNormal();
        w.resize(w.width() - 50, w.height() - 40);
        QTest::qWait(0);
        EXPECT_FALSE(w.Shape2->isVisible());
        EXPECT_EQ(Shared().PendingAnswer, 3);
        EXPECT_TRUE(w.bNext->isEnabled());
    });
}

TEST_F(AnswerChoice, TheSmallestWindowStillShowsEveryView) {
    openTest({.questionCount = 3, .rows = 4});
    runDriving([&](TfrmTest& w) {
        w.showNormal();
        w.resize(1, 1);
        QTest::qWait(0);
        EXPECT_GT(w.rQuestion->height(), 0);
        for (int box = 1; box <= 5; ++box) {
            EXPECT_GT(w.answerView(box)->width(), 0);
            EXPECT_GT(w.answerView(box)->height(), 0);
        }
        EXPECT_GT(w.bNext->height(), 0);
    });
}

}  // namespace

namespace {

TEST(TestWindowDesign, TheDesignSizeGivesPanel2TheSizeTheLayoutCountsWith) {
    TfrmTest window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.Panel2->size(), QSize(688, 413));
}

}  // namespace
