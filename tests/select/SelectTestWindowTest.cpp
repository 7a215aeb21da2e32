#include "OpenDialog.h"
#include "QtPrinting.h"
#include "SharedState.h"
#include "TestDoubles.h"
#include "TestFileBuilder.h"
#include "WindowSystem.h"
#include "ufrmSelectTest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString LoadFailed = QStringLiteral("Не удалось загрузить файл тестов");
const QString ListRefused = QStringLiteral("Ошибка открытия файла теста");
const QString FileRefused = QStringLiteral("Ошибка открытия файла теста!!!");

class ChosenPath final : public OpenDialog {
public:
    QString answer, title, filter;
    int shown = 0;
    QString choose(const QString& t, const QString& f) override {
        ++shown;
        title = t;
        filter = f;
        return answer;
    }
};

// A TestPath with: good/Физика.qzt (accepted), other/Физика.qzt (accepted, another title),
// short.QZT (as many rows as a test asks: refused), broken.qzt (not a database: refused with
// the load notice), folder.qzt/ (a folder), and a decoy notes.txt.
class SelectionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + QLatin1Char('/');
        writeTest(root + "good/Физика.qzt", "Физика", 11);
        writeTest(root + "other/Физика.qzt", "Физика 2", 12);
        writeTest(root + "short.QZT", "Мало", 10);
        QFile broken(root + "broken.qzt");
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a database");
        broken.close();
        QDir().mkpath(root + "folder.qzt");
        QFile(root + "notes.txt").open(QIODevice::WriteOnly);

        SharedState& s = Shared();
        s.TestPath = root;
        s.CmdLineTestFile.clear();
        s.ContinueFlag = 1;
        s.TestTitle.clear();
        setOpenDialog(&dialog);
    }
    void TearDown() override {
        setOpenDialog(nullptr);
        ClearEndRequest();
    }

    static void writeTest(const QString& path, const std::string& title, int rows) {
        QDir().mkpath(QFileInfo(path).path());
        TestSpec spec;
        spec.title = title;
        spec.questionCountForAnswer = 10;
        for (int i = 0; i < rows; ++i)
            spec.questions.push_back({plainTextToRtf("Вопрос"), {plainTextToRtf("Да"), plainTextToRtf("Нет"),
                                                                 plainTextToRtf("-"), plainTextToRtf("-"),
                                                                 plainTextToRtf("-")}});
        writeTestFile(QFile::encodeName(path).toStdString(), spec);
    }

    // Runs ChooseTest; `drive` works the selection window once it is open and active. A window
    // the driver leaves open is cancelled so that a failure never hangs the suite.
    void chooseDriving(std::function<void(TfrmSelectTest&)> drive) {
        QTimer::singleShot(0, [this, drive] {
            auto* form = qobject_cast<TfrmSelectTest*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowActive(form));
            windowOpened = true;
            drive(*form);
            stillOpen = form->isVisible();
            if (stillOpen) form->reject();
        });
        ChooseTest();
    }

    static QTreeWidgetItem* entry(TfrmSelectTest& form, const QString& caption, int nth = 0) {
        for (int i = 0; i < form.ListView1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = form.ListView1->topLevelItem(i);
            if (item->text(0) == caption && nth-- == 0) return item;
        }
        ADD_FAILURE() << "no entry " << caption.toStdString();
        return nullptr;
    }
    static void select(TfrmSelectTest& form, const QString& caption, int nth = 0) {
        if (QTreeWidgetItem* item = entry(form, caption, nth)) item->setSelected(true);
    }

    QTemporaryDir dir;
    QString root;
    ChosenPath dialog;
    RecordingNotices notices;
    ScopedNotices scopedNotices{notices};
    bool windowOpened = false, stillOpen = false;
};

}  // namespace

TEST_F(SelectionWindow, ListsTheCatalogueByFileNameWithNothingSelected) {
    QStringList captions;
    chooseDriving([&](TfrmSelectTest& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Выбрать тест"));
        EXPECT_EQ(form.size(), QSize(292, 413));
        EXPECT_EQ(form.ListView1->geometry(), QRect(0, 0, 292, 381));
        EXPECT_EQ(form.Panel1->geometry(), QRect(0, 381, 292, 32));
        EXPECT_EQ(form.Button3->geometry(), QRect(5, 4, 89, 25));
        EXPECT_EQ(form.Button2->geometry(), QRect(103, 4, 89, 25));
        EXPECT_EQ(form.Button1->geometry(), QRect(200, 4, 89, 25));
        EXPECT_EQ(form.Button3->text(), QStringLiteral("Отмена"));
        EXPECT_EQ(form.Button2->text(), QStringLiteral("Открыть файл"));
        EXPECT_EQ(form.Button1->text(), QStringLiteral("OK"));
        EXPECT_TRUE(form.Button1->isDefault());
        EXPECT_TRUE(form.ListView1->isHeaderHidden());
        EXPECT_EQ(form.ListView1->headerItem()->text(0), QStringLiteral("Тесты"));
        EXPECT_EQ(form.ListView1->columnWidth(0), 288);
        EXPECT_EQ(form.ListView1->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_TRUE(form.ListView1->selectedItems().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), form.ListView1);
        for (QWidget* next : {static_cast<QWidget*>(form.Button1), static_cast<QWidget*>(form.Button2),
                              static_cast<QWidget*>(form.Button3), static_cast<QWidget*>(form.ListView1)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next);
        }
        for (int i = 0; i < form.ListView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = form.ListView1->topLevelItem(i);
            captions << item->text(0);
            EXPECT_EQ(item->data(0, Qt::UserRole).toInt(), i);
            EXPECT_FALSE(item->icon(0).isNull());
        }
        form.Button3->click();
    });
    EXPECT_EQ(captions, QStringList({"broken.qzt", "folder.qzt", "Физика.qzt", "Физика.qzt", "short.QZT"}));
    EXPECT_EQ(Shared().TestFileList,
              QStringList({root + "broken.qzt", root + "folder.qzt", root + "good/Физика.qzt",
                           root + "other/Физика.qzt", root + "short.QZT"}));
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 0);
}

TEST_F(SelectionWindow, OkOnAnEntryOpensItsOwnPathAndIsNotRemembered) {
    chooseDriving([&](TfrmSelectTest& form) {
        select(form, QStringLiteral("Физика.qzt"), 1);
        form.Button1->click();
    });
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 1);
    EXPECT_EQ(Shared().TestTitle, "\xD4\xE8\xE7\xE8\xEA\xE0 2");  // "Физика 2" in cp1251
    EXPECT_EQ(Shared().QuestionRecordCount, 12);
    EXPECT_TRUE(Shared().CmdLineTestFile.isEmpty());
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(SelectionWindow, EnterAndDoubleClickDoWhatOkDoes) {
    chooseDriving([&](TfrmSelectTest& form) {
        form.ListView1->setFocus();
        select(form, QStringLiteral("Физика.qzt"));
        QTest::keyClick(form.ListView1, Qt::Key_Return);
    });
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 1);
    EXPECT_EQ(Shared().QuestionRecordCount, 11);

    Shared().ContinueFlag = 1;
    chooseDriving([&](TfrmSelectTest& form) {
        QTreeWidgetItem* item = entry(form, QStringLiteral("Физика.qzt"), 1);
        ASSERT_NE(item, nullptr);
        const QRect area = form.ListView1->visualItemRect(item);
        QTest::mouseClick(form.ListView1->viewport(), Qt::LeftButton, {}, area.center());
        QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, {}, area.center());
    });
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 1);
    EXPECT_EQ(Shared().QuestionRecordCount, 12);
}

TEST_F(SelectionWindow, ArrowKeysAloneChooseAnEntryThatEnterOpens) {
    QStringList selectedAfterEachKey;
    chooseDriving([&](TfrmSelectTest& form) {
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(form.ListView1, Qt::Key_Down);
            const QList<QTreeWidgetItem*> selected = form.ListView1->selectedItems();
            selectedAfterEachKey << (selected.size() == 1 ? selected.front()->text(0) : QStringLiteral("?"));
        }
        QTest::keyClick(form.ListView1, Qt::Key_Return);
    });
    EXPECT_EQ(selectedAfterEachKey, (QStringList{"broken.qzt", "folder.qzt", "Физика.qzt"}));
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 1);
}

// The first key of a list with nothing selected: Home, End, PageUp and PageDown select the entry
// they move to, the arrows the one the focus sits on.
TEST(SelectionList, FirstJumpKeySelectsTheEntryItMovesTo) {
    struct Case {
        int entries;
        Qt::Key key;
        int expected;  // -1: where the list's own page move lands, past the first entry
    };
    const Case cases[] = {
        {5, Qt::Key_Home, 0},     {5, Qt::Key_End, 4},      {5, Qt::Key_PageUp, 0},
        {5, Qt::Key_PageDown, 4}, {1, Qt::Key_End, 0},      {1, Qt::Key_Home, 0},
        {1, Qt::Key_PageDown, 0}, {100, Qt::Key_PageDown, -1}, {100, Qt::Key_End, 99},
        {5, Qt::Key_Down, 0},     {1, Qt::Key_Up, 0},
    };
    for (const Case& c : cases) {
        TfrmSelectTest form;
        QStringList paths;
        for (int i = 0; i < c.entries; ++i) paths << QStringLiteral("/t/%1.qzt").arg(i, 3, 10, QLatin1Char('0'));
        form.listTestFiles(paths);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(form.ListView1, c.key);
        const QList<QTreeWidgetItem*> selected = form.ListView1->selectedItems();
        ASSERT_EQ(selected.size(), 1) << c.entries << " entries, key " << c.key;
        const int row = form.ListView1->indexOfTopLevelItem(selected.front());
        EXPECT_EQ(selected.front(), form.ListView1->currentItem());
        if (c.expected >= 0) EXPECT_EQ(row, c.expected) << c.entries << " entries, key " << c.key;
        else EXPECT_GT(row, 5) << c.entries << " entries, key " << c.key;
    }
}

TEST_F(SelectionWindow, OkEnterAndDoubleClickWithNothingSelectedDoNothing) {
    chooseDriving([&](TfrmSelectTest& form) {
        form.Button1->click();
        QTest::keyClick(form.ListView1, Qt::Key_Return);
        QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, {}, QPoint(100, 370));
        EXPECT_TRUE(form.isVisible());
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 0);
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(SelectionWindow, RefusedEntriesGiveTheirNoticesAndTheWindowStaysForAnotherChoice) {
    struct Case {
        const char* caption;
        QStringList expectedNotices;
    };
    const Case cases[] = {
        {"broken.qzt", {LoadFailed, ListRefused}},
        {"folder.qzt", {LoadFailed, ListRefused}},
        {"short.QZT", {ListRefused}},
    };
    for (const Case& c : cases) {
        notices.notices.clear();
        bool stayed = false;
        std::uint8_t flagWhileOpen = 1;
        chooseDriving([&](TfrmSelectTest& form) {
            select(form, QString::fromUtf8(c.caption));
            form.Button1->click();
            stayed = form.isVisible();
            flagWhileOpen = Shared().ContinueFlag;
            form.ListView1->clearSelection();
            select(form, QStringLiteral("Физика.qzt"));
            form.Button1->click();
        });
        EXPECT_EQ(notices.notices, c.expectedNotices) << c.caption;
        EXPECT_TRUE(stayed) << c.caption;
        EXPECT_EQ(flagWhileOpen, 0) << c.caption;
        EXPECT_FALSE(stillOpen) << c.caption;
        EXPECT_EQ(Shared().ContinueFlag, 1) << c.caption;
        EXPECT_EQ(Shared().TestTitle, "\xD4\xE8\xE7\xE8\xEA\xE0") << "the good one's settings";
    }
}

TEST_F(SelectionWindow, CancelEscapeAndCloseBoxEndTheLoop) {
    const std::function<void(TfrmSelectTest&)> ways[] = {
        [](TfrmSelectTest& form) { form.Button3->click(); },
        [](TfrmSelectTest& form) { QTest::keyClick(form.ListView1, Qt::Key_Escape); },
        [](TfrmSelectTest& form) { form.close(); },
    };
    for (const auto& way : ways) {
        Shared().ContinueFlag = 1;
        chooseDriving([&](TfrmSelectTest& form) {
            select(form, QStringLiteral("Физика.qzt"));
            way(form);
        });
        EXPECT_FALSE(stillOpen);
        EXPECT_EQ(Shared().ContinueFlag, 0);
    }
    EXPECT_EQ(dialog.shown, 0);
}

TEST_F(SelectionWindow, OpenDialogFileIsAcceptedAndRememberedForLaterPasses) {
    dialog.answer = root + "good/Физика.qzt";
    chooseDriving([&](TfrmSelectTest& form) { form.Button2->click(); });
    EXPECT_EQ(dialog.title, QStringLiteral("Открыть файл тестов"));
    EXPECT_EQ(dialog.filter, QStringLiteral("TestFile (*.qzt);;All files (*)"));
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(Shared().ContinueFlag, 1);
    EXPECT_EQ(Shared().CmdLineTestFile, dialog.answer);

    windowOpened = false;
    ChooseTest();  // the next pass opens the remembered file without the window
    QApplication::processEvents();
    EXPECT_FALSE(windowOpened);
    EXPECT_EQ(Shared().ContinueFlag, 1);
    EXPECT_FALSE(EndRequested());
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(SelectionWindow, OpenDialogCancelledOrRefusedLeavesTheWindowOpen) {
    struct Case {
        QString answer;
        QStringList expectedNotices;
    };
    const Case cases[] = {
        {QString(), {}},
        {root + "broken.qzt", {LoadFailed, FileRefused}},
        {root + "missing.qzt", {LoadFailed, FileRefused}},
        {root + "short.QZT", {FileRefused}},
    };
    for (const Case& c : cases) {
        notices.notices.clear();
        dialog.answer = c.answer;
        chooseDriving([&](TfrmSelectTest& form) { form.Button2->click(); });
        EXPECT_TRUE(stillOpen) << c.answer.toStdString();
        EXPECT_EQ(notices.notices, c.expectedNotices) << c.answer.toStdString();
        EXPECT_EQ(Shared().ContinueFlag, 0);
        EXPECT_TRUE(Shared().CmdLineTestFile.isEmpty());
    }
}

TEST_F(SelectionWindow, RefusedRememberedFileAsksTheProgramToEnd) {
    Shared().CmdLineTestFile = root + "good/Физика.qzt";
    QFile::remove(Shared().CmdLineTestFile);
    ChooseTest();
    EXPECT_EQ(notices.notices, QStringList({LoadFailed, FileRefused}));
    EXPECT_TRUE(EndRequested());
    EXPECT_EQ(Shared().ContinueFlag, 1) << "the registration window, cancelled at once, sets 0";
}

TEST_F(SelectionWindow, MissingTestPathGivesAnEmptyListAndTheDialogStillWorks) {
    Shared().TestPath = root + "nowhere/";
    dialog.answer = root + "good/Физика.qzt";
    int entries = -1;
    chooseDriving([&](TfrmSelectTest& form) {
        entries = form.ListView1->topLevelItemCount();
        form.Button2->click();
    });
    EXPECT_EQ(entries, 0);
    EXPECT_EQ(Shared().ContinueFlag, 1);
}

TEST_F(SelectionWindow, AfterAnEndRequestTheWindowClosesAtOnce) {
    RequestEnd();
    bool opened = false;
    QTimer::singleShot(0, [&] { opened = QApplication::activeModalWidget() != nullptr; });
    ChooseTest();
    QApplication::processEvents();
    EXPECT_FALSE(opened);
    EXPECT_EQ(Shared().ContinueFlag, 0);
}
