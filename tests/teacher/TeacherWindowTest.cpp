// The teacher's main window driven as a teacher would: keys and clicks, offscreen.
#include "EditedTest.h"
#include "FileActions.h"
#include "FormatToolBar.h"
#include "QuestionEditor.h"
#include "QuestionList.h"
#include "SettingsPanel.h"
#include "TeacherWindow.h"
#include "TestDocumentFile.h"
#include "TestFile.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QString Picture = QStringLiteral(QUIZZARD_SOURCE_DIR) + "/resources/demo/russia.png";

bool hasPicture(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) return true;
    return false;
}

}  // namespace

class TeacherWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    QTextEdit* editor(int slot) { return window_.questionEditor()->editor(slot); }
    void type(int slot, const QString& text) {
        editor(slot)->setFocus();
        // Key events with their text: keyClicks knows only ASCII keys.
        for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, editor(slot), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void click(const char* listButton) {
        QTest::mouseClick(window_.questionList()->findChild<QToolButton*>(listButton), Qt::LeftButton);
    }
    void fillQuestion(const QString& question) {
        type(0, question);
        for (int slot = 1; slot <= 5; ++slot) type(slot, question + " ответ " + QString::number(slot));
    }
    QTemporaryDir dir_;
    TeacherWindow window_;
};

TEST_F(TeacherWindowTest, NewTestWithQuestionsFormatAndPictureSavesAndReopens) {
    EXPECT_EQ(window_.test().questionCount(), 1);
    fillQuestion("Формула воды");
    // H2O with the 2 in subscript
    QTextCursor cursor = editor(0)->textCursor();
    cursor.movePosition(QTextCursor::End);
    editor(0)->setTextCursor(cursor);
    type(0, " H");
    window_.formatToolBar()->action("subscript")->trigger();
    type(0, "2");
    window_.formatToolBar()->action("subscript")->trigger();
    type(0, "O");
    window_.formatToolBar()->insertPictureFile(Picture);
    for (int i = 2; i <= 3; ++i) {
        click("add");
        fillQuestion(QString("Вопрос %1").arg(i));
    }
    window_.settingsPanel()->findChild<QSpinBox*>("questionsPerTest")->setValue(2);
    EXPECT_EQ(window_.test().questionCount(), 3);
    EXPECT_TRUE(window_.isWindowModified());

    const QString path = dir_.filePath("вода.qzt");
    ASSERT_TRUE(window_.files().saveTo(path));
    EXPECT_FALSE(window_.isWindowModified());
    EXPECT_TRUE(window_.windowTitle().contains("вода.qzt"));

    ASSERT_TRUE(OpenTestFile(path));  // three questions, two per test: the student program takes it
    CloseTestTable();
    ASSERT_TRUE(window_.files().closeTest());
    ASSERT_TRUE(window_.files().openFile(path));
    ASSERT_EQ(window_.test().questionCount(), 3);
    EXPECT_TRUE(window_.test().document(0, 0)->toPlainText().startsWith("Формула воды H2O"));
    EXPECT_TRUE(hasPicture(*window_.test().document(0, 0)));
    EXPECT_EQ(window_.test().document(2, 1)->toPlainText(), "Вопрос 3 ответ 1");
    EXPECT_EQ(window_.test().settings().questionsPerTest, 2);
    EXPECT_EQ(window_.questionList()->list()->item(1)->text(), "2. Вопрос 2");
}

TEST_F(TeacherWindowTest, UndoGoesBackThroughTextListAndSettings) {
    type(0, "первый");
    click("add");
    click("duplicate");
    window_.settingsPanel()->findChild<QSpinBox*>("minutes")->setValue(45);
    ASSERT_EQ(window_.test().questionCount(), 3);
    QAction* undo = window_.findChild<QAction*>("undo");
    undo->trigger();
    EXPECT_EQ(window_.test().settings().minutes, 20);
    undo->trigger();
    EXPECT_EQ(window_.test().questionCount(), 2);
    undo->trigger();
    EXPECT_EQ(window_.test().questionCount(), 1);
    // Ctrl+Z in an editor undoes through the test's stack too.
    editor(0)->setFocus();
    QTest::keyClick(editor(0), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window_.test().document(0, 0)->toPlainText(), "");
    EXPECT_FALSE(window_.isWindowModified());
    window_.findChild<QAction*>("redo")->trigger();
    EXPECT_EQ(window_.test().document(0, 0)->toPlainText(), "первый");

    click("delete");
    EXPECT_EQ(window_.test().questionCount(), 0);
    undo->trigger();
    ASSERT_EQ(window_.test().questionCount(), 1);
    EXPECT_EQ(window_.test().document(0, 0)->toPlainText(), "первый");
}

TEST_F(TeacherWindowTest, SettingsSayWhetherTheStudentProgramAcceptsTheTest) {
    QLabel* acceptance = window_.settingsPanel()->acceptanceLabel();
    auto* perTest = window_.settingsPanel()->findChild<QSpinBox*>("questionsPerTest");
    perTest->setValue(1);
    EXPECT_TRUE(acceptance->text().contains("will not accept")) << acceptance->text().toStdString();
    click("add");
    EXPECT_FALSE(acceptance->text().contains("will not accept")) << acceptance->text().toStdString();
    perTest->setValue(2);
    EXPECT_TRUE(acceptance->text().contains("will not accept"));
    perTest->setValue(500);
    EXPECT_EQ(perTest->value(), 100);
    auto* minutes = window_.settingsPanel()->findChild<QSpinBox*>("minutes");
    minutes->setValue(5000);
    EXPECT_EQ(window_.test().settings().minutes, 1439);
}

TEST_F(TeacherWindowTest, ListMarksQuestionsTheStudentProgramWouldStumbleOn) {
    const auto problems = [this](int row) {
        return window_.questionList()->list()->item(row)->data(Qt::UserRole).toStringList();
    };
    EXPECT_EQ(problems(0).size(), 2);  // empty question, empty answers
    fillQuestion("Столица");
    EXPECT_TRUE(problems(0).isEmpty()) << problems(0).join(", ").toStdString();
    type(2, "x");
    editor(3)->selectAll();
    editor(3)->textCursor().insertText(editor(2)->toPlainText());
    EXPECT_EQ(problems(0), QStringList({"Two answers are equal"}));
}

TEST_F(TeacherWindowTest, UnsavedChangesAskSaveDiscardOrCancel) {
    type(0, "не сохранено");
    int asked = 0;
    UnsavedChoice choice = UnsavedChoice::Cancel;
    window_.files().askUnsaved = [&] {
        ++asked;
        return choice;
    };
    const QString path = dir_.filePath("asked.qzt");
    window_.files().askSavePath = [&] { return path; };

    EXPECT_FALSE(window_.close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window_.isVisible());

    choice = UnsavedChoice::Save;
    EXPECT_TRUE(window_.files().closeTest());
    EXPECT_EQ(readTestDocument(path).questions.at(0).question.contains("\\'ed\\'e5"), true);  // "не" in cp1251

    type(0, "ещё");
    choice = UnsavedChoice::Discard;
    EXPECT_TRUE(window_.close());
    EXPECT_EQ(asked, 3);
}

TEST_F(TeacherWindowTest, RecoveryCopyHoldsUnsavedChanges) {
    type(0, "черновик");
    window_.files().writeRecoveryCopy();
    ASSERT_TRUE(QFileInfo::exists(FileActions::recoveryPath()));
    EXPECT_EQ(readTestDocument(FileActions::recoveryPath()).questions.size(), 1u);
    window_.files().askUnsaved = [] { return UnsavedChoice::Discard; };
    ASSERT_TRUE(window_.files().closeTest());
    EXPECT_FALSE(QFileInfo::exists(FileActions::recoveryPath()));
}
