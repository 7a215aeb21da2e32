#include "Cp1251.h"
#include "QtPrinting.h"
#include "SharedState.h"
#include "WindowSystem.h"
#include "ufrmInput.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

constexpr QChar BackspaceMark = u'⌫';

// The X11 keycode of the key that types each character on a US keyboard, and whether Shift
// is held for it; 0 for characters no US key types.
std::pair<quint32, bool> usKey(QChar c) {
    static const QString plain = QStringLiteral("1234567890-=qwertyuiop[]asdfghjkl;'`zxcvbnm,./");
    static const QString shifted = QStringLiteral("!@#$%^&*()_+QWERTYUIOP{}ASDFGHJKL:\"~ZXCVBNM<>?");
    static const quint32 codes[] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 24, 25, 26, 27,
                                    28, 29, 30, 31, 32, 33, 34, 35, 38, 39, 40, 41, 42, 43, 44, 45,
                                    46, 47, 48, 49, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61};
    if (c == u' ') return {65, false};
    if (const qsizetype i = plain.indexOf(c); i >= 0) return {codes[i], false};
    if (const qsizetype i = shifted.indexOf(c); i >= 0) return {codes[i], true};
    return {0, c.isUpper()};
}

// Types into whichever control has the focus, as a US keyboard would: one key event per
// character, carrying the key's X11 keycode. Characters no US key types arrive without one.
void typeKeys(const QString& keys) {
    for (QChar c : keys) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        if (c == BackspaceMark) {
            QTest::keyClick(target, Qt::Key_Backspace);
            continue;
        }
        const char16_t u = c.toUpper().unicode();
        const int code = (u >= 'A' && u <= 'Z') ? Qt::Key_A + (u - 'A')
                         : c == u' '             ? int(Qt::Key_Space)
                                                 : int(Qt::Key_unknown);
        const auto [keycode, shift] = usKey(c);
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, code, modifiers, keycode, 0, 0, QString(c));
        QKeyEvent release(QEvent::KeyRelease, code, modifiers, keycode, 0, 0, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
}

// One key at a given X11 keycode typing the given text, as another desktop layout gives it.
void pressKey(quint32 keycode, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, keycode, 0, 0, text);
    QApplication::sendEvent(target, &press);
}

class InputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QStringList fields() const {
        return {form.edLastName->text(), form.edFirstName->text(), form.edGroup->text()};
    }
    void paste(QLineEdit* edit, const QString& text) {
        QApplication::clipboard()->setText(text);
        edit->setFocus();
        edit->paste();  // what the context menu's paste does
    }

    TfrmInput form;
};

}  // namespace

TEST_F(InputWindow, OpensEmptyWithTheFocusInTheLastNameAndStartDisabled) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Введите имя, фамилию и группу:"));
    EXPECT_EQ(fields(), QStringList({"", "", ""}));
    EXPECT_FALSE(form.btOK->isEnabled());
    EXPECT_TRUE(form.btOK->isDefault());
    EXPECT_EQ(QApplication::focusWidget(), form.edLastName);
    EXPECT_EQ(form.btOK->text(), QStringLiteral("Начать"));
    EXPECT_EQ(form.btCancel->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(form.edGroup->toolTip(), QStringLiteral("Группа-№"));
    EXPECT_EQ(form.lbLastName->text(), QStringLiteral("Фамилия:"));
    EXPECT_EQ(form.lbFirstName->text(), QStringLiteral("Имя:"));
    EXPECT_EQ(form.lbGroup->text(), QStringLiteral("Группа:"));
    EXPECT_EQ(form.edLastName->maxLength(), 30);
    EXPECT_EQ(form.edFirstName->maxLength(), 30);
    EXPECT_EQ(form.edGroup->maxLength(), 10);
    EXPECT_TRUE(form.edLastName->font().bold());
    EXPECT_EQ(form.edLastName->font().pixelSize(), 16);
    EXPECT_EQ(form.font().pixelSize(), 11);
}

// Both sizes are outer sizes, frame included, whatever frame the window system gives.
TEST_F(InputWindow, InitialAndMinimumSizesIncludeTheFrame) {
    QApplication::processEvents();
    const QSize frame = form.frameGeometry().size() - form.size();
    EXPECT_EQ(form.frameGeometry().size(), QSize(603, 171)) << "frame " << frame.width() << "x" << frame.height();
    EXPECT_EQ(form.minimumSize() + frame, QSize(400, 150));
}

TEST_F(InputWindow, TypedKeysBecomeFieldContents) {
    struct Case {
        const char16_t* keys;  // typed from the last name on; a blank moves to the next field
        QStringList expected;  // last name, first name, group
        bool startEnabled;
    };
    const Case cases[] = {
        {u"bdfyjd bdfy fu-12", {"Иванов", "Иван", "АГ-12"}, true},  // US keys, Russian layout
        {u"Bdfyjd", {"Иванов", "", ""}, false},
        {u"аБВГД", {"Абвгд", "", ""}, false},                        // Cyrillic passes through
        {u"[];',.`", {"Хъжэбю", "", ""}, false},                     // ` is ё: not a letter here
        {u"{}:\"<>~", {"Хъжэбю", "", ""}, false},
        {u"ab-12/?!", {"Фи", "", ""}, false},                        // no digits or "-" in names
        {u"  аб-12", {"", "", "АБ-12"}, false},
        {u"  zx-9", {"", "", "ЯЧ-9"}, false},
        {u"  ёЁ№", {"", "", ""}, false},
        {u"ааа⌫", {"Аа", "", ""}, false},
        {u"а⌫⌫", {"", "", ""}, false},
        {u"мария-анна", {"Марияанна", "", ""}, false},
        {u"ффффффффффффффффффффффффффффффффффф", {"Ф" + QString(29, u'ф'), "", ""}, false},
        {u"  1234567890123", {"", "", "1234567890"}, false},
    };
    for (const Case& c : cases) {
        TfrmInput fresh;
        fresh.show();
        QApplication::setActiveWindow(&fresh);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
        typeKeys(QString::fromUtf16(c.keys));
        const QStringList got{fresh.edLastName->text(), fresh.edFirstName->text(),
                              fresh.edGroup->text()};
        EXPECT_EQ(got, c.expected) << QString::fromUtf16(c.keys).toStdString();
        EXPECT_EQ(fresh.btOK->isEnabled(), c.startEnabled) << QString::fromUtf16(c.keys).toStdString();
    }
}

// Keys count by where they sit: a German desktop's ö ä ü keys give ж э х, and on a desktop
// already Russian the punctuation of the "." key and of Shift+2 stays punctuation.
TEST_F(InputWindow, KeysFromOtherDesktopLayoutsGiveTheLettersOfTheirPositions) {
    struct Key {
        quint32 keycode;
        const char16_t* text;
        Qt::KeyboardModifiers modifiers;
    };
    struct Case {
        const char* desktop;
        std::vector<Key> keys;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"German", {{47, u"ö", {}}, {48, u"ä", {}}, {34, u"ü", {}}, {29, u"z", {}}, {52, u"y", {}}}, u"Жэхня"},
        {"German", {{20, u"ß", {}}, {51, u"#", {}}, {94, u"<", {}}, {47, u"Ö", Qt::ShiftModifier}}, u"Ж"},
        {"Russian", {{44, u"о", {}}, {61, u".", {}}, {61, u",", Qt::ShiftModifier}, {11, u"\"", Qt::ShiftModifier},
                     {60, u"ю", {}}, {59, u"б", {}}}, u"Оюб"},
        {"none", {{0, u"q", {}}, {0, u"д", {}}, {300, u"а", {}}}, u"Да"},
    };
    for (const Case& c : cases) {
        form.edLastName->clear();
        form.edLastName->setFocus();
        for (const Key& key : c.keys) pressKey(key.keycode, QString::fromUtf16(key.text), key.modifiers);
        EXPECT_EQ(form.edLastName->text(), QString::fromUtf16(c.expected)) << c.desktop;
    }
}

// Ctrl and Alt keystrokes are control characters: no paste, undo, cut or select-all by key,
// and no paste of the selection by the middle button. The context menu's paste still works.
TEST_F(InputWindow, EditingKeystrokesAreRefusedAndOnlyTheContextMenuPastes) {
    form.edLastName->setFocus();
    typeKeys(QStringLiteral("абв"));
    QApplication::clipboard()->setText(QStringLiteral("где"));
    struct Stroke {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    };
    const Stroke strokes[] = {
        {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},   {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},   {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
        {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},   {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
        {Qt::Key_F, Qt::AltModifier, "Alt+F"},        {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
    };
    for (const Stroke& stroke : strokes) {
        QTest::keyClick(form.edLastName, stroke.key, stroke.modifiers);
        EXPECT_EQ(form.edLastName->text(), QStringLiteral("Абв")) << stroke.name;
        EXPECT_FALSE(form.edLastName->hasSelectedText()) << stroke.name;
    }
    QTest::mouseClick(form.edLastName, Qt::MiddleButton);
    EXPECT_EQ(form.edLastName->text(), QStringLiteral("Абв")) << "middle button";
    QTest::keyClick(form.edLastName, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(form.edLastName->cursorPosition(), 0) << "Ctrl+Left still moves the caret";
    form.edLastName->setCursorPosition(3);
    form.edLastName->paste();
    EXPECT_EQ(form.edLastName->text(), QStringLiteral("Абвгде"));
}

TEST_F(InputWindow, EachKeystrokeIsNormalisedAndTheCaretStaysPut) {
    typeKeys(QStringLiteral("абвгд"));
    form.edLastName->setCursorPosition(2);
    typeKeys(QStringLiteral("Е"));
    EXPECT_EQ(form.edLastName->text(), QStringLiteral("Абевгд"));
    EXPECT_EQ(form.edLastName->cursorPosition(), 3);
    form.edLastName->setCursorPosition(0);
    typeKeys(QStringLiteral("я"));
    EXPECT_EQ(form.edLastName->text(), QStringLiteral("Яабевгд"));
    EXPECT_EQ(form.edLastName->cursorPosition(), 1);
}

TEST_F(InputWindow, BlankMovesTheFocusAlongTheTabOrderSkippingADisabledStart) {
    typeKeys(QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), form.edFirstName);
    typeKeys(QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), form.edGroup);
    typeKeys(QStringLiteral(" "));
    EXPECT_EQ(QApplication::focusWidget(), form.btCancel);

    form.edLastName->setFocus();
    typeKeys(QStringLiteral("а а а "));
    EXPECT_TRUE(form.btOK->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form.btOK);
    EXPECT_EQ(fields(), QStringList({"А", "А", "А"}));
}

TEST_F(InputWindow, StartIsEnabledOnlyWhileAllThreeHoldMoreThanBlanks) {
    struct Case {
        const char16_t *last, *first, *group;
        bool enabled;
    };
    const Case cases[] = {
        {u"", u"Иван", u"АБ", false},   {u"Иванов", u"", u"АБ", false},
        {u"Иванов", u"Иван", u"", false}, {u"Иванов", u"Иван", u"1", true},
        {u"   ", u"Иван", u"АБ", false},  {u"И", u"И", u"-", true},
    };
    for (const Case& c : cases) {
        form.edLastName->setText(QString::fromUtf16(c.last));
        form.edFirstName->setText(QString::fromUtf16(c.first));
        form.edGroup->setText(QString::fromUtf16(c.group));
        EXPECT_EQ(form.btOK->isEnabled(), c.enabled) << fields().join('|').toStdString();
    }
    form.edGroup->clear();
    EXPECT_FALSE(form.btOK->isEnabled());
}

// Pasted text goes through the same character filter as typed text, then the case rules.
TEST_F(InputWindow, PastedTextIsFilteredLikeTypedTextThenNormalised) {
    struct Case {
        bool group;
        const char16_t *pasted, *expected;
    };
    const Case cases[] = {
        {false, u"аб-вг", u"Абвг"}, {false, u"аб'вг", u"Абвг"},  {false, u"'аб", u"Аб"},
        {false, u"ABC вг", u"Вг"},  {false, u"ёаб", u"Аб"},      {false, u"   ", u""},
        {true, u"ab-12", u"-12"},   {true, u"аб 12\t", u"АБ12"}, {true, u"ёж-1", u"Ж-1"},
    };
    for (const Case& c : cases) {
        QLineEdit* edit = c.group ? form.edGroup : form.edLastName;
        edit->clear();
        paste(edit, QString::fromUtf16(c.pasted));
        EXPECT_EQ(edit->text(), QString::fromUtf16(c.expected)) << QString::fromUtf16(c.pasted).toStdString();
    }
}

TEST_F(InputWindow, PasteIntoTheMiddleKeepsTheCaretAfterTheKeptCharacters) {
    form.edFirstName->setText(QStringLiteral("Аб"));
    form.edFirstName->setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("x-в"));
    form.edFirstName->paste();  // what the context menu's paste does
    EXPECT_EQ(form.edFirstName->text(), QStringLiteral("Авб"));
    EXPECT_EQ(form.edFirstName->cursorPosition(), 2);
}

TEST_F(InputWindow, ResizeLaysTheControlsOutAroundTheMiddle) {
    form.resize(400, 200);
    EXPECT_EQ(form.width(), 400);
    EXPECT_EQ(form.edLastName->geometry(), QRect(4, 20, 194, 28));
    EXPECT_EQ(form.edFirstName->geometry(), QRect(202, 20, 194, 28));
    EXPECT_EQ(form.edGroup->geometry(), QRect(4, 72, 392, 28));
    EXPECT_EQ(form.btOK->geometry(), QRect(202, 112, 147, 29));
    EXPECT_EQ(form.btCancel->geometry(), QRect(51, 112, 147, 29));
    EXPECT_EQ(form.lbFirstName->x(), 202);
    EXPECT_EQ(form.lbGroup->x(), 4);
    EXPECT_LT(form.lbGroup->geometry().bottom(), form.edGroup->y());
    form.resize(603, 171);
    EXPECT_EQ(form.edFirstName->geometry(), QRect(303, 20, 295, 28));
    EXPECT_EQ(form.btCancel->x(), 152);
}

namespace {

// Runs AskStudent with the window driven by `drive` once it is open and active. A window the
// driver leaves open is cancelled, so a failing test never hangs.
void askStudentDriving(std::function<void(TfrmInput&)> drive) {
    QTimer::singleShot(0, [drive] {
        auto* form = qobject_cast<TfrmInput*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        drive(*form);
        if (form->isVisible()) form->reject();
    });
    AskStudent();
}

void setStudent(const char16_t* first, const char16_t* last, const char16_t* group) {
    SharedState& s = Shared();
    s.FirstName = toCp1251(QString::fromUtf16(first));
    s.LastName = toCp1251(QString::fromUtf16(last));
    s.Group = toCp1251(QString::fromUtf16(group));
}

}  // namespace

TEST(AskStudent, StartStoresTheNamesInTheStateAndTheRecord) {
    setStudent(u"", u"", u"");
    Shared().Record.slot(1).ChosenBox = 3;
    Shared().QuestionCount = 5;
    askStudentDriving([](TfrmInput& form) {
        form.edLastName->setFocus();
        typeKeys(QStringLiteral("Bdfyjd Bdfy fu-12"));
        QTest::keyClick(form.edGroup, Qt::Key_Return);
    });
    const SharedState& s = Shared();
    EXPECT_EQ(s.ContinueFlag, 1);
    EXPECT_EQ(fromCp1251(s.LastName), QStringLiteral("Иванов"));
    EXPECT_EQ(fromCp1251(s.FirstName), QStringLiteral("Иван"));
    EXPECT_EQ(fromCp1251(s.Group), QStringLiteral("АГ-12"));
    EXPECT_EQ(s.Record.LastName, s.LastName);
    EXPECT_EQ(s.Record.FirstName, s.FirstName);
    EXPECT_EQ(s.Record.Group, s.Group);
    EXPECT_EQ(s.Record.slot(1).ChosenBox, 0) << "the run is reset after the window closes";
}

TEST(AskStudent, FullLengthNamesFillTheirRecordFields) {
    askStudentDriving([](TfrmInput& form) {
        form.edLastName->setText(QString(40, u'я'));
        form.edFirstName->setText(QString(30, u'ж'));
        form.edGroup->setText(QStringLiteral("12345678901"));
        form.btOK->click();
    });
    const SharedState& s = Shared();
    EXPECT_EQ(s.Record.LastName.size(), 30u);
    EXPECT_EQ(s.Record.FirstName.size(), 30u);
    EXPECT_EQ(s.Record.Group, "1234567890");
}

TEST(AskStudent, CancelEscapeAndCloseBoxKeepThePreviousNamesAndEndTheLoop) {
    const std::function<void(TfrmInput&)> ways[] = {
        [](TfrmInput& form) {
            form.edLastName->setText(QStringLiteral("Другой"));
            form.btCancel->click();
        },
        [](TfrmInput& form) { QTest::keyClick(form.edLastName, Qt::Key_Escape); },
        [](TfrmInput& form) { form.close(); },
    };
    for (const auto& way : ways) {
        setStudent(u"Пётр", u"Петров", u"Б-2");
        Shared().Record.LastName.clear();
        Shared().ContinueFlag = 1;
        askStudentDriving(way);
        EXPECT_EQ(Shared().ContinueFlag, 0);
        EXPECT_EQ(fromCp1251(Shared().LastName), QStringLiteral("Петров"));
        EXPECT_EQ(fromCp1251(Shared().Record.LastName), QStringLiteral("Петров"));
        EXPECT_EQ(fromCp1251(Shared().Record.Group), QStringLiteral("Б-2"));
    }
}

TEST(AskStudent, AfterAnEndRequestTheWindowClosesAtOnceAsCancelled) {
    setStudent(u"", u"Петров", u"");
    Shared().ContinueFlag = 1;
    RequestEnd();
    bool opened = false;
    QTimer::singleShot(0, [&] { opened = QApplication::activeModalWidget() != nullptr; });
    AskStudent();
    QApplication::processEvents();
    ClearEndRequest();
    EXPECT_FALSE(opened);
    EXPECT_EQ(Shared().ContinueFlag, 0);
    EXPECT_EQ(fromCp1251(Shared().Record.LastName), QStringLiteral("Петров"));
}
