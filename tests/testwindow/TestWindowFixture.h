#pragma once
// A test file built at run time and opened, a fake clock, recorded notices and fixed seeds,
// and a runner that drives the test window from inside its modal wait.
#include "TestDoubles.h"
#include "ufrmTest.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

class RichTextView;

struct TestOptions {
    int questionCount = 3;
    int rows = 4;
    bool allowReturn = false;
    bool resultHere = false;
    int minutes = 20;
};

class TestWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void openTest(const TestOptions& options);
    // Runs StartTest; `drive` works the window once it is shown. A window the driver leaves open
    // is closed without asking, and a modal run still going after the deadline is ended, so a
    // failing test never hangs. Fails when the window never opened.
    void runDriving(const std::function<void(TfrmTest&)>& drive);

    static QString questionText(int row);
    static QString answerText(int row, int answer);
    static QString plainText(const RichTextView* view);
    static int correctBox(int position);
    static int wrongBox(int position);
    static void choose(TfrmTest& window, int box, Qt::MouseButton button = Qt::LeftButton);
    static void click(QWidget* button);

    QTemporaryDir dir;
    FakeClock clock;
    RecordingNotices notices;
    bool leftOpen = false;
    bool modalRunStuck = false;
    static constexpr int ModalRunDeadlineMs = 3000;

private:
    ScopedClock scopedClock{clock};
    ScopedNotices scopedNotices{notices};
};
