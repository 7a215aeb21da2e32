#include "JpegImage.h"
#include "Splash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Splash, ThePictureDecodesToFillTheWindow) {
    QFile picture(QStringLiteral(":/splash.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    const QImage image = decodeJpeg(picture.readAll());
    EXPECT_EQ(image.size(), QSize(400, 300));
}

TEST(Splash, BadJpegDataGivesANullImage) {
    QFile picture(QStringLiteral(":/splash.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    const QByteArray whole = picture.readAll();
    EXPECT_TRUE(decodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(decodeJpeg(QByteArray("not a jpeg at all")).isNull());
    EXPECT_NO_THROW(decodeJpeg(whole.left(whole.size() / 3)));
}

TEST(Splash, ShowsBorderlessOnTopForThreeSeconds) {
    bool sawSplash = false;
    QSize seenSize;
    Qt::WindowFlags seenFlags;
    QPixmap seenPicture;
    QTimer probe;
    probe.setInterval(500);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* splash = qobject_cast<TForm1*>(w); splash && splash->isVisible()) {
                sawSplash = true;
                seenSize = splash->size();
                seenFlags = splash->windowFlags();
                seenPicture = splash->Image1->pixmap();
            }
        }
    });
    probe.start();
    // A splash whose timer never fires would keep the test waiting for ever: after 10 s it fails.
    bool deadlinePassed = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        deadlinePassed = true;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* splash = qobject_cast<TForm1*>(w)) splash->Timer1->stop();
    });
    deadline.start(10000);
    QElapsedTimer elapsed;
    elapsed.start();
    ShowSplash();
    ASSERT_FALSE(deadlinePassed) << "the splash was still shown 10 s after it opened";
    EXPECT_GE(elapsed.elapsed(), 2990);
    EXPECT_TRUE(sawSplash);
    EXPECT_EQ(seenSize, QSize(400, 300));
    EXPECT_TRUE(seenFlags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(seenFlags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(seenPicture.size(), QSize(400, 300));
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(qobject_cast<TForm1*>(w));
}
