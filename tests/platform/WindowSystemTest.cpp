#include "Messages.h"
#include "TestDoubles.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

TEST(Delay, WaitsTheGivenTicksWhilePumpingMessages) {
    FakeClock fake;
    ScopedClock scoped(fake);
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    const std::int64_t start = fake.monotonic;
    Delay(50);
    EXPECT_GE(fake.monotonic - start, 50);
    EXPECT_TRUE(delivered);
}

TEST(Delay, SurvivesTheTickCounterWrapping) {
    FakeClock fake;
    fake.monotonic = 0xFFFFFFF0LL;
    ScopedClock scoped(fake);
    Delay(50);
    EXPECT_GE(fake.monotonic, 0xFFFFFFF0LL + 50);
    EXPECT_LT(fake.monotonic, 0xFFFFFFF0LL + 60);
}

TEST(WindowSystem, EndRequestCancelsTheOpenWindowAndEveryLaterOne) {
    QDialog first;
    QTimer::singleShot(0, &first, [] { RequestEnd(); });
    EXPECT_EQ(RunModal(first), QDialog::Rejected);
    QDialog second;
    bool shown = false;
    QTimer::singleShot(0, &second, [&] {
        shown = second.isVisible();
        second.accept();
    });
    EXPECT_EQ(RunModal(second), QDialog::Rejected);
    EXPECT_FALSE(shown);
    ClearEndRequest();
}

TEST(WindowSystem, RunModalReturnsTheWindowsResult) {
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
    EXPECT_EQ(RunModal(dialog), QDialog::Accepted);
}

TEST(WindowSystem, NextControlSkipsDisabledOnesAndWraps) {
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    auto* a = new QLineEdit;
    auto* b = new QLineEdit;
    auto* disabled = new QPushButton(QStringLiteral("off"));
    auto* c = new QPushButton(QStringLiteral("on"));
    for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(b), static_cast<QWidget*>(disabled),
                       static_cast<QWidget*>(c)})
        layout->addWidget(w);
    disabled->setEnabled(false);
    window.show();
    a->setFocus();
    QApplication::processEvents();
    const QWidget* expected[] = {b, c, a};
    for (const QWidget* next : expected) {
        FocusNextControl(&window);
        EXPECT_EQ(window.focusWidget(), next);
    }
}

namespace {

// Ends the test binary with a message if the guarded code is still running after the deadline:
// an endless loop then fails instead of hanging the suite.
class Deadline {
public:
    Deadline(int seconds, const char* what)
        : watchdog_([this, seconds, what] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return finished_; })) {
                  std::fprintf(stderr, "Deadline of %d s passed: %s\n", seconds, what);
                  std::_Exit(1);
              }
          }) {}
    ~Deadline() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        watchdog_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread watchdog_;
};

}  // namespace

TEST(WindowSystem, NextControlInAWindowWithNothingFocusableLeavesTheFocusAndReturns) {
    const char* shapes[] = {"labels only", "a disabled button only"};
    for (const char* shape : shapes) {
        QDialog window;
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("text")));
        auto* button = new QPushButton(QStringLiteral("off"));
        layout->addWidget(button);
        if (shape == shapes[0]) button->setFocusPolicy(Qt::NoFocus);
        else button->setEnabled(false);
        window.show();
        QApplication::processEvents();
        const Deadline deadline(10, "FocusNextControl never returned");
        FocusNextControl(&window);
        EXPECT_EQ(window.focusWidget(), nullptr) << shape;
    }
}
