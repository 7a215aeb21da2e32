#pragma once
// The test window: one question and five answers as rich text, the choice of an answer, the
// moves between unanswered questions, the clock and the ways a test ends.
#include <QDialog>
#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;
class RichTextView;

// A rectangle outline drawn on Panel2 beneath the views, so it shows around the framed view.
class FrameShape : public QWidget {
    Q_OBJECT
public:
    FrameShape(Qt::PenStyle style, int penWidth, QWidget* parent);
    Qt::PenStyle penStyle() const { return style_; }
    int penWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::PenStyle style_;
    int width_;
};

class TfrmTest : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTest(QWidget* parent = nullptr);

    RichTextView* rQuestion;
    RichTextView* rAnswer1;
    RichTextView* rAnswer2;
    RichTextView* rAnswer3;
    RichTextView* rAnswer4;
    RichTextView* rAnswer5;
    QWidget* Panel1;
    QWidget* Panel2;
    QLabel* pnlTime;
    QLabel* Panel4;
    QLabel* Panel5;
    QWidget* Panel6;
    QPushButton* bEnd;
    FrameShape* Shape1;
    FrameShape* Shape2;
    QTimer* Timer1;
    QStatusBar* StatusBar1;
    QPushButton* bPrev;
    QPushButton* bNext;

    RichTextView* answerView(int tag) const;  // rAnswer1 .. rAnswer5 for tags 1 .. 5
    QLabel* statusPanel(int index) const;     // StatusBar1's panels 0 .. 2

    void SelectAnswer(int value);
    void bNextClick();
    void bPrevClick();
    void bEndClick();
    void Timer1Timer();
    bool FormCloseQuery();

    // The one way the test ends, whoever asks: the finish button, Escape, the close box, the
    // last answer, a failed move and the time-out. Closes at once when FinishFlag is set, else
    // after Yes to the finish question. Asked while that question is open, it leaves the
    // closing to the question, which then closes whatever the answer.
    void requestClose();

    void writeProgressText();

    // Elapsed time is counted on the monotonic clock from here, so midnight cannot reset it.
    std::int64_t startMonotonicMs = 0;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Panel2Resize();
    void Panel6Resize();
    void rAnswer1MouseMove(RichTextView* sender);
    void rAnswer1MouseUp(RichTextView* sender);
    void chooseAnswer(RichTextView* sender);
    void frameSelection(RichTextView* view);
    void move(bool forward);
    void showPosition(int position);
    bool confirmFinish();
    void endModalRun();

    std::array<RichTextView*, 5> answers_{};
    std::array<QLabel*, 3> statusPanels_{};
    bool askingToFinish_ = false;
};

// Set while a window runs: the one the test is shown in.
extern TfrmTest* frmTest;
// 1: the window is being closed by the test itself, so closing does not ask.
extern std::uint8_t FinishFlag;

// Loads the question of the row and the answers of the slot at CurrentPosition into frmTest.
// Throws TestFileError; on a failure the views keep what they showed.
void ShowQuestion(std::int32_t row);

// The main loop's test step: draws the questions and runs the test window to its end.
void StartTest();
