#include "Splash.h"

#include "JpegImage.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTimer>

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Image1(new QLabel(this)),
      Timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(400, 300);
    QFile picture(QStringLiteral(":/splash.jpg"));
    if (picture.open(QIODevice::ReadOnly))
        Image1->setPixmap(QPixmap::fromImage(decodeJpeg(picture.readAll())));
    Image1->setGeometry(0, 0, 400, 300);
    Timer1->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire up to 5% early
    Timer1->setSingleShot(true);
    Timer1->setInterval(3000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TForm1::Timer1Timer() { Timer1->stop(); }

void ShowSplash() {
    TForm1 splash;
    splash.show();
    splash.repaint();
    // Waits for events rather than spinning: the splash still paints and the timer still fires.
    while (splash.Timer1->isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    splash.hide();
}
