// The view, driven with real key, mouse, clipboard and drop events: its text never changes.
#include "RichTextView.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const QByteArray sample = R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset204 Arial;}}\pard\b \'c2\'ee\'ef\'f0\'ee\'f1\b0\par answer text\par})";

// The parent records what reaches it, as the test window does with space and Enter.
class RecordingParent : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

class RichTextViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&parent);
        view = new RichTextView(&parent);
        other = new RichTextView(&parent);
        layout->addWidget(view);
        layout->addWidget(other);
        parent.resize(300, 200);
        view->loadRtf(sample);
        other->loadRtf(sample);
        parent.show();
        parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
        view->setFocus();
        shownHtml = view->toHtml();
    }

    void expectUnchanged() {
        EXPECT_EQ(view->toPlainText(), QString::fromUtf8("Вопрос\nanswer text"));
        EXPECT_EQ(view->toHtml(), shownHtml);
        EXPECT_FALSE(view->textCursor().hasSelection());
    }

    RecordingParent parent;
    RichTextView* view = nullptr;
    RichTextView* other = nullptr;
    QString shownHtml;
};

TEST_F(RichTextViewTest, ShowsTheLoadedDocument) {
    EXPECT_EQ(view->toPlainText(), QString::fromUtf8("Вопрос\nanswer text"));
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(view->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_EQ(view->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(RichTextViewTest, TypingAndDeletingChangeNothing) {
    QTest::keyClicks(view, "abc xyz");
    for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Down})
        QTest::keyClick(view, key);
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Delete, Qt::ShiftModifier);
    expectUnchanged();
}

TEST_F(RichTextViewTest, PastingChangesNothing) {
    QApplication::clipboard()->setText("pasted");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
    view->paste();
    expectUnchanged();
}

TEST_F(RichTextViewTest, DroppingChangesNothing) {
    QMimeData mime;
    mime.setText("dropped");
    const QPointF at(20, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    EXPECT_FALSE(view->acceptDrops());
    EXPECT_FALSE(view->viewport()->acceptDrops());
    expectUnchanged();
}

TEST_F(RichTextViewTest, MouseClicksDragsAndWheelChangeNothing) {
    QWidget* surface = view->viewport();
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    QTest::mouseDClick(surface, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseMove(surface, QPoint(120, 30));
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, QPoint(120, 30));
    QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, QPoint(10, 8));
    QTest::mouseClick(surface, Qt::MiddleButton, Qt::NoModifier, QPoint(10, 8));
    QWheelEvent wheel(QPointF(10, 10), surface->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface, &wheel);
    expectUnchanged();
}

TEST_F(RichTextViewTest, EnterAndSpaceReachTheParent) {
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_Enter);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(parent.keys, (QList<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}));
    expectUnchanged();
}

TEST_F(RichTextViewTest, TabMovesTheFocus) {
    ASSERT_TRUE(view->hasFocus());
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    expectUnchanged();
}

TEST_F(RichTextViewTest, LongContentScrolls) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i) rtf += "line " + QByteArray::number(i) + "\\par ";
    rtf += "}";
    view->loadRtf(rtf);
    QApplication::processEvents();
    QScrollBar* bar = view->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), 0);
    view->resize(view->width() - 10, view->height());  // a layout pass keeps the top in view
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_GT(bar->value(), 0);
    view->loadRtf(sample);
    EXPECT_EQ(bar->value(), 0);
    expectUnchanged();
}

TEST(RichTextViewShown, OpensAtTheTopWhenLoadedBeforeShowing) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i) rtf += "line " + QByteArray::number(i) + "\\par ";
    rtf += "}";
    RichTextView view;
    view.resize(300, 120);
    view.loadRtf(rtf);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QApplication::processEvents();
    EXPECT_EQ(view.textCursor().position(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST_F(RichTextViewTest, PlainBytesShowAsText) {
    view->loadRtf("plain \xcf\xf0\xe8");
    EXPECT_EQ(view->toPlainText(), QString::fromUtf8("plain При"));
}

}  // namespace
