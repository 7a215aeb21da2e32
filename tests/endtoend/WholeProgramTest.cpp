// The real main loop, offscreen, from the selection window through registration, the test and
// the results, twice: "В начало" to a second student, then "Закончить". Both results files
// must then hold exactly the two records of what was on screen.
#include "Cp1251.h"
#include "DayCount.h"
#include "DateTimeText.h"
#include "ProgramSteps.h"
#include "Random.h"
#include "ResultRecord.h"
#include "RichTextView.h"
#include "Settings.h"
#include "SharedState.h"
#include "TestDoubles.h"
#include "TestFileBuilder.h"
#include "ufrmInput.h"
#include "ufrmResult.h"
#include "ufrmSelectTest.h"
#include "ufrmTest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int QuestionsAsked = 3, Rows = 5;
constexpr std::int64_t SecondsPerTest = 95;

struct Student {
    QString lastName, firstName, group;  // as the fields show them
    QString lastNameKeys, firstNameKeys, groupKeys;  // typed on a US keyboard, Russian layout on
    std::vector<bool> answerCorrectly;    // per position
    QPushButton* TfrmResult::*leaveBy;    // the results window's button that ends the pass
};

std::uint32_t fixedSeed() { return 20261210; }

// Types each character as the unshifted US key that carries it, with the key's X11 keycode:
// the registration window reads keys by their position.
void typeOnUsKeyboard(QWidget* edit, const QString& keys) {
    static const QString usKeys = QStringLiteral("1234567890-qwertyuiopasdfghjklzxcvbnm");
    static const quint32 keycodes[] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 25, 26, 27, 28, 29, 30, 31,
                                       32, 33, 38, 39, 40, 41, 42, 43, 44, 45, 46, 52, 53, 54, 55, 56, 57, 58};
    for (QChar c : keys) {
        const qsizetype at = usKeys.indexOf(c);
        ASSERT_GE(at, 0) << "no unshifted US key types " << QString(c).toStdString();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycodes[at], 0, 0, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, keycodes[at], 0, 0, QString(c));
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
    }
}

// Row and answer order of the question on screen, read back from the texts the views show.
QuestionSlot slotOnScreen(const TfrmTest& window) {
    static const QRegularExpression question(QStringLiteral("^Вопрос (\\d+)$"));
    static const QRegularExpression answer(QStringLiteral("^Ответ \\d+\\.(\\d)$"));
    QuestionSlot slot;
    slot.QuestionRow = question.match(window.rQuestion->toPlainText().trimmed()).captured(1).toInt();
    for (int box = 1; box <= 5; ++box)
        slot.AnswerOrder[box - 1] =
            answer.match(window.answerView(box)->toPlainText().trimmed()).captured(1).toInt();
    return slot;
}

int boxShowing(const QuestionSlot& slot, bool correct) {
    for (int box = 1; box <= 5; ++box)
        if ((slot.AnswerOrder[box - 1] == 1) == correct) return box;
    return 0;
}

class WholeProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + QLatin1Char('/');
        QDir().mkpath(root + "program");
        QDir().mkpath(root + "tests/nested");
        QDir().mkpath(root + "shared");
        writeTest(root + "tests/nested/География.qzt");
        QFile ini(root + "program/param.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[params]\nResultsFilePath=%1shared\nTestPath=%1tests\n").arg(root).toUtf8());
        ini.close();
        setSeedSource(fixedSeed);
    }
    void TearDown() override { setSeedSource(nullptr); }

    static void writeTest(const QString& path) {
        TestSpec spec;
        spec.title = "География";
        spec.questionCountForAnswer = QuestionsAsked;
        spec.answerBalls = 15;
        spec.allowReturn = false;
        for (int row = 1; row <= Rows; ++row) {
            QuestionSpec q;
            q.question = plainTextToRtf(QStringLiteral("Вопрос %1").arg(row).toStdString());
            for (int a = 1; a <= 5; ++a)
                q.answers.push_back(plainTextToRtf(QStringLiteral("Ответ %1.%2").arg(row).arg(a).toStdString()));
            spec.questions.push_back(q);
        }
        writeTestFile(QFile::encodeName(path).toStdString(), spec);
    }

    // Works whichever modal window is open, once each, until the loop has ended.
    void driveWindows() {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == handled || !modal->isVisible()) return;
            handled = modal;
            if (auto* w = qobject_cast<TfrmSelectTest*>(modal)) return chooseFirstEntry(*w);
            if (auto* w = qobject_cast<TfrmInput*>(modal)) return registerStudent(*w);
            if (auto* w = qobject_cast<TfrmTest*>(modal)) return answerQuestions(*w);
            if (auto* w = qobject_cast<TfrmResult*>(modal)) return leaveResults(*w);
            ADD_FAILURE() << "unexpected window " << modal->windowTitle().toStdString();
            modal->close();
        });
        QObject::connect(&stopDriving, &QObject::destroyed, poll, &QObject::deleteLater);
        poll->start(5);
    }

    void chooseFirstEntry(TfrmSelectTest& w) {
        trace << "select";
        ASSERT_EQ(w.ListView1->topLevelItemCount(), 1);
        EXPECT_EQ(w.ListView1->topLevelItem(0)->text(0), QStringLiteral("География.qzt"));
        w.ListView1->setCurrentItem(w.ListView1->topLevelItem(0));
        QTest::mouseClick(w.Button1, Qt::LeftButton);
    }

    void registerStudent(TfrmInput& w) {
        const Student& s = students.at(passes);
        trace << "register";
        typeOnUsKeyboard(w.edLastName, s.lastNameKeys);
        typeOnUsKeyboard(w.edFirstName, s.firstNameKeys);
        typeOnUsKeyboard(w.edGroup, s.groupKeys);
        QTest::keyClick(&w, Qt::Key_Return);
    }

    void answerQuestions(TfrmTest& w) {
        const Student& s = students.at(passes);
        trace << "test";
        for (int p = 1; p <= QuestionsAsked; ++p) {
            const QuestionSlot shown = slotOnScreen(w);
            QuestionSlot expected = shown;
            expected.ChosenBox = boxShowing(shown, s.answerCorrectly.at(p - 1));
            expectedSlots[passes].push_back(expected);
            QWidget* viewport = w.answerView(expected.ChosenBox)->viewport();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().center());
            if (p == QuestionsAsked) {
                clock.advanceMs(SecondsPerTest * 1000);
                w.Timer1Timer();
            }
            QTest::mouseClick(w.bNext, Qt::LeftButton);
        }
    }

    void leaveResults(TfrmResult& w) {
        trace << "results";
        QTest::mouseClick(w.*students.at(passes).leaveBy, Qt::LeftButton);
        ++passes;
    }

    ResultRecord expectedRecord(int pass) const {
        const Student& s = students.at(pass);
        ResultRecord r;
        r.LastName = toCp1251(s.lastName);
        r.FirstName = toCp1251(s.firstName);
        r.Group = toCp1251(s.group);
        r.TestTitle = toCp1251(QStringLiteral("География"));
        r.TestDate = clock.day;
        r.TimeSpent = "00:01:35";
        for (int p = 1; p <= QuestionsAsked; ++p) {
            r.slot(p) = expectedSlots[pass].at(static_cast<std::size_t>(p - 1));
            r.CorrectCount += r.slot(p).isCorrect() ? 1 : 0;
        }
        r.QuestionCount = r.QuestionCount2 = QuestionsAsked;
        r.PointsPerAnswer = 1.5f;
        return r;
    }

    static QByteArray fileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString root;
    FakeClock clock;
    RecordingNotices notices;
    ScopedClock scopedClock{clock};
    ScopedNotices scopedNotices{notices};
    QObject stopDriving;
    QPointer<QWidget> handled;
    QStringList trace;
    int passes = 0;
    std::vector<Student> students;
    std::vector<QuestionSlot> expectedSlots[2];
};

TEST_F(WholeProgram, TwoStudentsInARowLeaveTwoWholeRecordsInBothResultsFiles) {
    students = {
        {QStringLiteral("Иванов"), QStringLiteral("Петр"), QStringLiteral("ФИ-21"), "bdfyjd", "gtnh", "ab-21",
         {true, true, true}, &TfrmResult::Button1},
        {QStringLiteral("Сидорова"), QStringLiteral("Анна"), QStringLiteral("М-3"), "cbljhjdf", "fyyf", "v-3",
         {false, true, false}, &TfrmResult::Button2},
    };
    SettingsSources sources;
    sources.executableFolder = root + "program/";
    sources.arguments = {root + "program/quizzard"};
    sources.appData = root + "appdata";
    LoadSettings(sources);
    Shared().ContinueFlag = 1;

    driveWindows();
    RunMainLoop(programSteps());

    EXPECT_EQ(trace, (QStringList{"select", "register", "test", "results", "select", "register", "test", "results"}));
    EXPECT_EQ(passes, 2);
    EXPECT_TRUE(notices.notices.isEmpty()) << notices.notices.join('\n').toStdString();
    EXPECT_TRUE(notices.questions.isEmpty());

    const QString fileName = fileNameDateText(dateOfDayCount(clock.day)) + QStringLiteral(".qzr");
    const QByteArray shared = fileBytes(root + "shared/" + fileName);
    const QByteArray local = fileBytes(root + "appdata/Reports/" + fileName);
    QByteArray expected;
    for (int pass = 0; pass < 2; ++pass) {
        const RecordBytes bytes = encodeRecord(expectedRecord(pass));
        expected.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }
    ASSERT_EQ(shared.size(), 2 * static_cast<qsizetype>(RecordSize));
    EXPECT_EQ(shared, expected);
    EXPECT_EQ(local, expected);
    EXPECT_EQ(expectedRecord(0).CorrectCount, 3);
    EXPECT_EQ(expectedRecord(1).CorrectCount, 1);
}

}  // namespace
