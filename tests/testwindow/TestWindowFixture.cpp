#include "TestWindowFixture.h"

#include "Cp1251.h"
#include "Random.h"
#include "RichTextView.h"
#include "SharedState.h"
#include "TestFile.h"
#include "TestFileBuilder.h"
#include "TestRun.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

std::uint32_t seedSequence = 0;
std::uint32_t nextSeed() { return seedSequence += 7919; }

}  // namespace

void TestWindowFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    seedSequence = 0;
    setSeedSource(nextSeed);
    SharedState& s = Shared();
    s.Record.LastName = toCp1251(QStringLiteral("Иванов"));
    s.Record.FirstName = toCp1251(QStringLiteral("Пётр"));
    s.Record.Group = toCp1251(QStringLiteral("ФИ-21"));
    s.ContinueFlag = 1;
}

void TestWindowFixture::TearDown() {
    CloseTestTable();
    setSeedSource(nullptr);
}

QString TestWindowFixture::questionText(int row) { return QStringLiteral("Вопрос %1").arg(row); }

QString TestWindowFixture::answerText(int row, int answer) { return QStringLiteral("Ответ %1.%2").arg(row).arg(answer); }

QString TestWindowFixture::plainText(const RichTextView* view) { return view->toPlainText().trimmed(); }

void TestWindowFixture::openTest(const TestOptions& options) {
    TestSpec spec;
    spec.title = "География";
    spec.questionCountForAnswer = options.questionCount;
    spec.timeForAnswer = options.minutes;
    spec.allowReturn = options.allowReturn;
    spec.resultHere = options.resultHere;
    for (int row = 1; row <= options.rows; ++row) {
        QuestionSpec question;
        question.question = plainTextToRtf(questionText(row).toStdString());
        for (int answer = 1; answer <= 5; ++answer)
            question.answers.push_back(plainTextToRtf(answerText(row, answer).toStdString()));
        spec.questions.push_back(question);
    }
    const QString path = dir.filePath(QStringLiteral("geo.qzt"));
    writeTestFile(QFile::encodeName(path).toStdString(), spec);
    ASSERT_TRUE(OpenTestFile(path));
    ResetRun();
}

void TestWindowFixture::runDriving(const std::function<void(TfrmTest&)>& drive) {
    leftOpen = false;
    modalRunStuck = false;
    bool driven = false;
    // A modal run that outlives its window would hang the suite: end it and say so.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
        if (!frmTest) return;
        modalRunStuck = true;
        frmTest->done(QDialog::Rejected);
    });
    QTimer::singleShot(0, [this, drive, &driven, &watchdog] {
        ASSERT_NE(frmTest, nullptr);
        TfrmTest& window = *frmTest;
        EXPECT_TRUE(window.isVisible());
        driven = true;
        drive(window);
        if (window.isVisible()) {
            leftOpen = true;
            FinishFlag = 1;
            window.close();
        }
        watchdog.start(ModalRunDeadlineMs);
    });
    StartTest();
    EXPECT_TRUE(driven) << "the test window never opened";
    EXPECT_FALSE(modalRunStuck) << "the test window's modal run went on after the test ended";
}

int TestWindowFixture::correctBox(int position) {
    const auto& order = Shared().Record.slot(position).AnswerOrder;
    return static_cast<int>(std::find(order.begin(), order.end(), 1) - order.begin()) + 1;
}

int TestWindowFixture::wrongBox(int position) { return correctBox(position) % 5 + 1; }

void TestWindowFixture::choose(TfrmTest& window, int box, Qt::MouseButton button) {
    QWidget* viewport = window.answerView(box)->viewport();
    QTest::mouseClick(viewport, button, {}, viewport->rect().center());
}

void TestWindowFixture::click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
