#pragma once
// TForm1: the borderless splash picture shown for three seconds at start-up.
#include <QWidget>

class QLabel;
class QTimer;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    QLabel* Image1;
    QTimer* Timer1;

private slots:
    void Timer1Timer();
};

// Shows the splash, pumps messages until its timer has fired once, then destroys it.
void ShowSplash();
