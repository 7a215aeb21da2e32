#include "Notices.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

// Inspects the message box that is open, then presses the given button.
void answerOpenBox(SeenBox& seen, QMessageBox::StandardButton press) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* b : box->buttons()) seen.buttons << box->standardButton(b);
    box->button(press)->click();
}

}  // namespace

TEST(MessageBoxes, NoticeHasTheTitleOneOkButtonNoIconAndTimersKeepTicking) {
    InstallMessageBoxNotices();
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(50);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start();
    SeenBox seen;
    QTimer::singleShot(400, [&] { answerOpenBox(seen, QMessageBox::Ok); });
    // A box the answer missed would stay open for ever: after 10 s it is closed and the test fails.
    bool deadlinePassed = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        deadlinePassed = true;
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
    });
    deadline.start(10000);
    ShowNotice(QStringLiteral("Время вышло!!!"));
    deadline.stop();
    EXPECT_FALSE(deadlinePassed) << "the notice was still open 10 s after it was shown";
    setNotices(nullptr);
    EXPECT_EQ(seen.title, QStringLiteral("Quizzard v0.7.1"));
    EXPECT_EQ(seen.text, QStringLiteral("Время вышло!!!"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    EXPECT_GE(ticks, 3);
}

TEST(MessageBoxes, QuestionIsYesNoWithAQuestionIconAndOnlyYesCounts) {
    InstallMessageBoxNotices();
    for (auto press : {QMessageBox::Yes, QMessageBox::No}) {
        SeenBox seen;
        QTimer::singleShot(0, [&] { answerOpenBox(seen, press); });
        const bool yes = AskQuestion(QStringLiteral("Вы действительно хотите закончить тест?"));
        EXPECT_EQ(yes, press == QMessageBox::Yes);
        EXPECT_EQ(seen.title, QStringLiteral("Quizzard"));
        EXPECT_EQ(seen.icon, QMessageBox::Question);
        EXPECT_EQ(seen.buttons.size(), 2);
    }
    setNotices(nullptr);
}

TEST(MessageBoxes, ButtonsSpeakRussianOnceTheStandardTextsAreInstalled) {
    ASSERT_TRUE(InstallRussianStandardTexts());
    InstallMessageBoxNotices();
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (auto button : {QMessageBox::Yes, QMessageBox::No}) captions << box->button(button)->text().remove('&');
        box->button(QMessageBox::No)->click();
    });
    AskQuestion(QStringLiteral("Вы действительно хотите закончить тест?"));
    setNotices(nullptr);
    EXPECT_EQ(captions, (QStringList{"Да", "Нет"}));
}
