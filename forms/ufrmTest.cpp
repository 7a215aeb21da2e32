#include "ufrmTest.h"

#include "Clock.h"
#include "Cp1251.h"
#include "DateTimeText.h"
#include "Notices.h"
#include "RichTextView.h"
#include "SharedState.h"
#include "TestFile.h"
#include "TestLayout.h"
#include "TestRun.h"
#include "WindowSystem.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

TfrmTest* frmTest = nullptr;
std::uint8_t FinishFlag = 0;

namespace {

const QString FinishQuestion = QStringLiteral("Вы действительно хотите закончить тест?");
const QString TimeIsUp = QStringLiteral("Время вышло!!!");
const QString StartFailed = QStringLiteral("Ошибка загрузки в StartTest");
const QString PositionCaption = QStringLiteral("Вопрос №:");
constexpr double MsPerDay = 86400000.0;
constexpr int TopStripHeight = 21, SidePanelWidth = 140, StatusBarHeight = 19;
// The client size of the design, as the results window counts it: Panel2 gets 688 x 413.
constexpr QSize DesignClientSize(688, TopStripHeight + 413 + StatusBarHeight);
constexpr std::array<int, 3> StatusPanelWidths{350, 150, 150};
// Below this the rows and columns of the layout would shrink to nothing.
constexpr QSize MinimumWindowSize(400, 300);

QLabel* addTextPanel(QWidget* parent, const QString& caption) {
    auto* panel = new QLabel(caption, parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    return panel;
}

RichTextView* addView(QWidget* parent) {
    auto* view = new RichTextView(parent);
    view->setFrameShape(QFrame::NoFrame);
    return view;
}

// Enter presses the button that has the focus; elsewhere it goes to the default button, bNext.
QPushButton* addButton(QWidget* parent, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(true);
    return button;
}

}  // namespace

FrameShape::FrameShape(Qt::PenStyle style, int penWidth, QWidget* parent)
    : QWidget(parent), style_(style), width_(penWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void FrameShape::paintEvent(QPaintEvent*) {
    if (width() <= width_ || height() <= width_) return;
    QPainter painter(this);
    QPen pen(QColor(0, 0, 128), width_, style_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    // The pen is centred on the outline: inset by half its width so the whole line stays inside.
    const qreal inset = width_ / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

TfrmTest::TfrmTest(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Тестирование"));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    resize(DesignClientSize);
    setMinimumSize(MinimumWindowSize);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(TopStripHeight);
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(0);
    pnlTime = addTextPanel(Panel1, QStringLiteral("pnlTime"));
    pnlTime->setFixedWidth(SidePanelWidth);
    pnlTime->setToolTip(QStringLiteral("Прошло/Осталось времени"));
    Panel5 = addTextPanel(Panel1, QStringLiteral("Тестирование"));
    QFont titleFont = Panel5->font();
    titleFont.setPixelSize(13);
    titleFont.setBold(true);
    Panel5->setFont(titleFont);
    Panel4 = addTextPanel(Panel1, QStringLiteral("Panel4"));
    Panel4->setFixedWidth(SidePanelWidth);
    strip->addWidget(pnlTime);
    strip->addWidget(Panel5, 1);
    strip->addWidget(Panel4);
    root->addWidget(Panel1);

    Panel2 = new QWidget(this);
    root->addWidget(Panel2, 1);
    // Created before the views, so the frames lie beneath them.
    Shape1 = new FrameShape(Qt::DotLine, 1, Panel2);
    Shape2 = new FrameShape(Qt::SolidLine, 2, Panel2);
    rQuestion = addView(Panel2);
    rQuestion->setFocusPolicy(Qt::ClickFocus);
    rAnswer1 = addView(Panel2);
    rAnswer2 = addView(Panel2);
    rAnswer3 = addView(Panel2);
    rAnswer4 = addView(Panel2);
    rAnswer5 = addView(Panel2);
    answers_ = {rAnswer1, rAnswer2, rAnswer3, rAnswer4, rAnswer5};
    for (RichTextView* view : answers_) {
        view->viewport()->setMouseTracking(true);
        view->viewport()->installEventFilter(this);
        view->installEventFilter(this);
    }

    Panel6 = new QWidget(Panel2);
    bPrev = addButton(Panel6, QStringLiteral("< Назад"));
    bNext = addButton(Panel6, QStringLiteral("Вперед >"));
    bNext->setDefault(true);
    bEnd = addButton(Panel6, QStringLiteral("Закончить"));
    bEnd->setFocusPolicy(Qt::ClickFocus);
    connect(bNext, &QPushButton::clicked, this, &TfrmTest::bNextClick);
    connect(bPrev, &QPushButton::clicked, this, &TfrmTest::bPrevClick);
    connect(bEnd, &QPushButton::clicked, this, &TfrmTest::bEndClick);

    setTabOrder(rAnswer1, rAnswer2);
    setTabOrder(rAnswer2, rAnswer3);
    setTabOrder(rAnswer3, rAnswer4);
    setTabOrder(rAnswer4, rAnswer5);
    setTabOrder(rAnswer5, bPrev);
    setTabOrder(bPrev, bNext);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(StatusBarHeight);
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i] = new QLabel(StatusBar1);
        statusPanels_[i]->setFixedWidth(StatusPanelWidths[i]);
        StatusBar1->addWidget(statusPanels_[i]);
    }
    root->addWidget(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmTest::Timer1Timer);

    Panel2->installEventFilter(this);
    Panel6->installEventFilter(this);
    Panel6Resize();
}

RichTextView* TfrmTest::answerView(int tag) const {
    return tag >= 1 && tag <= 5 ? answers_[static_cast<std::size_t>(tag - 1)] : nullptr;
}

QLabel* TfrmTest::statusPanel(int index) const { return statusPanels_.at(static_cast<std::size_t>(index)); }

bool TfrmTest::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel2 && event->type() == QEvent::Resize) Panel2Resize();
    if (watched == Panel6 && event->type() == QEvent::Resize) Panel6Resize();
    for (RichTextView* view : answers_) {
        if (watched == view->viewport()) {
            if (event->type() == QEvent::MouseMove) rAnswer1MouseMove(view);
            if (event->type() == QEvent::MouseButtonRelease) rAnswer1MouseUp(view);
        } else if (watched == view) {
            if (event->type() == QEvent::FocusIn) rAnswer1MouseMove(view);
            if (event->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent*>(event)->text() == QStringLiteral(" "))
                chooseAnswer(view);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmTest::Panel2Resize() {
    const Panel2Layout layout = layoutPanel2(Panel2->width(), Panel2->height());
    rQuestion->setGeometry(layout.question);
    for (std::size_t k = 0; k < answers_.size(); ++k) answers_[k]->setGeometry(layout.answers[k]);
    Panel6->setGeometry(layout.panel6);
    Shape1->hide();
    Shape2->hide();
    rQuestion->viewport()->update();
    for (RichTextView* view : answers_) view->viewport()->update();
}

void TfrmTest::Panel6Resize() {
    const Panel6Layout layout = layoutPanel6(Panel6->width(), Panel6->height(), Shared().AllowReturn);
    bEnd->setGeometry(layout.end);
    bNext->setGeometry(layout.next);
    bPrev->setGeometry(layout.prev);
    bPrev->setVisible(layout.prevVisible);
}

void TfrmTest::rAnswer1MouseMove(RichTextView* sender) {
    Shape1->setGeometry(hoverFrameAround(sender->geometry()));
    Shape1->show();
}

void TfrmTest::rAnswer1MouseUp(RichTextView* sender) { chooseAnswer(sender); }

void TfrmTest::chooseAnswer(RichTextView* sender) {
    Shape1->hide();
    frameSelection(sender);
    Shared().PendingAnswer = static_cast<int>(std::find(answers_.begin(), answers_.end(), sender) - answers_.begin()) + 1;
    bNext->setEnabled(true);
}

void TfrmTest::frameSelection(RichTextView* view) {
    Shape2->setGeometry(selectionFrameAround(view->geometry()));
    Shape2->show();
}

void TfrmTest::SelectAnswer(int value) {
    RichTextView* view = answerView(value);
    if (!view) return;
    Shape1->hide();
    frameSelection(view);
    Shared().PendingAnswer = value;
}

void TfrmTest::writeProgressText() {
    const SharedState& s = Shared();
    QString text;
    if (s.ResultHere)
        text = QStringLiteral("Баллов: %1. Отвечено вопросов: %2").arg(s.Record.CorrectCount).arg(s.AnsweredCount);
    else if (s.AllowReturn)
        text = QStringLiteral("Отвечено вопросов: %1").arg(s.AnsweredCount);
    statusPanels_[2]->setText(text);
}

void TfrmTest::showPosition(int position) { Panel4->setText(PositionCaption + QString::number(position)); }

void TfrmTest::bNextClick() { move(true); }

void TfrmTest::bPrevClick() { move(false); }

void TfrmTest::move(bool forward) {
    SharedState& s = Shared();
    const int count = QuestionsInTest();
    if (s.PendingAnswer > 0) {
        s.Record.slot(s.CurrentPosition).ChosenBox = s.PendingAnswer;
        ++s.AnsweredCount;
    }
    s.Record.CorrectCount = CountCorrect();
    if (s.ResultHere || s.AllowReturn) writeProgressText();
    s.CurrentPosition += forward ? 1 : -1;
    if (s.CurrentPosition > count) s.CurrentPosition = 1;
    if (s.CurrentPosition < 1) s.CurrentPosition = count;
    try {
        const int next = forward ? FindNextUnanswered(s.CurrentPosition) : FindPrevUnanswered(s.CurrentPosition);
        if (next == -1) {
            FinishFlag = 1;
            requestClose();
        } else {
            s.CurrentPosition = next;
            ShowQuestion(s.Record.slot(next).QuestionRow);
            Shape1->hide();
            Shape2->hide();
            showPosition(next);
            if (forward) bNext->setEnabled(s.AllowReturn);
            SelectAnswer(s.Record.slot(next).ChosenBox);
        }
    } catch (...) {
        // The test ends on a question that cannot be read; the answers so far still count.
        ShowNotice(LoadFailedNotice);
        FinishFlag = 1;
        requestClose();
    }
    s.PendingAnswer = 0;
}

void TfrmTest::bEndClick() {
    if (confirmFinish()) FinishFlag = 1;
    requestClose();
}

void TfrmTest::Timer1Timer() {
    SharedState& s = Shared();
    const std::int64_t elapsedMs = CurrentClock().monotonicMs() - startMonotonicMs;
    s.ElapsedTime = elapsedMs / MsPerDay;
    pnlTime->setText(longTimeText(s.ElapsedTime) + QLatin1Char('/') + longTimeText(s.TimeLimit - s.ElapsedTime));
    // Compared in whole milliseconds, so a limit reached exactly is not yet exceeded.
    if (elapsedMs > std::llround(s.TimeLimit * MsPerDay)) {
        Timer1->stop();
        ShowNotice(TimeIsUp);
        FinishFlag = 1;
        requestClose();
    }
}

bool TfrmTest::FormCloseQuery() { return FinishFlag != 0 || confirmFinish(); }

// The clock ticks on while the question is open; a time-out meanwhile sets FinishFlag, and then
// the test ends whatever the answer.
bool TfrmTest::confirmFinish() {
    askingToFinish_ = true;
    const bool yes = AskQuestion(FinishQuestion);
    askingToFinish_ = false;
    return yes || FinishFlag != 0;
}

void TfrmTest::requestClose() {
    if (askingToFinish_ || !isVisible()) return;
    if (FormCloseQuery()) endModalRun();
}

void TfrmTest::endModalRun() {
    Timer1->stop();
    QDialog::done(QDialog::Accepted);
}

// The close box, Alt+F4 and the system menu: the window closes only through requestClose.
void TfrmTest::closeEvent(QCloseEvent* event) {
    event->ignore();
    requestClose();
}

void TfrmTest::reject() {
    // The application's end request closes the window without asking; Escape is the finish button.
    if (!EndRequested()) return bEndClick();
    FinishFlag = 1;
    requestClose();
}

// The whole question is read before any view changes, so a question that fails to load leaves
// every view as it was.
void ShowQuestion(std::int32_t row) {
    if (!frmTest) throw TestFileError("no test window is open");
    const QuestionDocuments documents = ReadQuestion(row);
    frmTest->rQuestion->loadRtf(documents.question);
    for (int k = 1; k <= 5; ++k) frmTest->answerView(k)->loadRtf(documents.answers[static_cast<std::size_t>(k - 1)]);
}

void StartTest() {
    SharedState& s = Shared();
    PrepareQuestions();
    FinishFlag = 0;
    s.PendingAnswer = 0;
    s.AnsweredCount = 0;
    s.ElapsedTime = 0;
    std::unique_ptr<TfrmTest> window;
    try {
        window = std::make_unique<TfrmTest>();
        frmTest = window.get();
        s.CurrentPosition = 1;
        ShowQuestion(s.Record.slot(1).QuestionRow);
        s.StartTime = CurrentClock().timeOfDay();
        window->startMonotonicMs = CurrentClock().monotonicMs();
        window->Panel4->setText(PositionCaption + QString::number(1));
        window->Panel5->setText(fromCp1251(s.TestTitle));
        window->Timer1->start();
        window->bNext->setEnabled(s.AllowReturn);
        window->statusPanel(0)->setText(QStringLiteral("Студент: ") + fromCp1251(s.Record.LastName) +
                                        QLatin1Char(' ') + fromCp1251(s.Record.FirstName));
        window->statusPanel(1)->setText(QStringLiteral("Группа: ") + fromCp1251(s.Record.Group));
        window->writeProgressText();
        window->setWindowState(Qt::WindowMaximized);
        RunModal(*window);
        window->Timer1->stop();
    } catch (...) {
        ShowNotice(StartFailed);
        s.ContinueFlag = 0;
    }
    frmTest = nullptr;
}
