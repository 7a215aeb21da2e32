#include "Messages.h"
#include "TestDoubles.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

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
