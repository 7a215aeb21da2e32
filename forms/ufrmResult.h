#pragma once
// The results window: who took which test, the time, the points and a pie of right and wrong.
#include <QDialog>

class PieChart3D;
class QFrame;
class QLabel;
class QPushButton;

inline const QString SaveStepFailedText = QStringLiteral("ошибка сохранения в ");

class TfrmResult : public QDialog {
    Q_OBJECT
public:
    explicit TfrmResult(QWidget* parent = nullptr);

    // Puts the buttons at their distances from the right edge of Panel1 as it is now wide;
    // from then on they keep those distances when the window is resized.
    void placeButtons();

    QFrame* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* lbFirstName;
    QLabel* lbLastName;
    QLabel* lbGroup;
    QLabel* lbTestName;
    QLabel* lbBalls;
    QLabel* lbTime;
    PieChart3D* Chart1;
    QFrame* Panel1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Button1Click();
    void Button2Click();
    QLabel* addLabel(const QString& name, int left, int top);
    QPushButton* addButton(const QString& name, const QString& caption);
    void keepButtonsAnchored();

    int button1RightGap_ = 0;
    int button2RightGap_ = 0;
};

// The main loop's results step: saves the record, then shows the window until a button or the
// close box closes it. "В начало" sets ContinueFlag to 1, "Закончить" to 0, the close box leaves it.
void ShowResults();
