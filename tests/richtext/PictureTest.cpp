// Pictures in \pict: decoded to their goal size, placeholders for metafiles and oversize data.
#include "RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage redImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

struct ShownImage {
    QTextImageFormat format;
    QImage image;
};

std::vector<ShownImage> imagesIn(QTextDocument& document) {
    std::vector<ShownImage> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QTextImageFormat imageFormat = format.toImageFormat();
            images.push_back({imageFormat, document.resource(QTextDocument::ImageResource, QUrl(imageFormat.name()))
                                               .value<QImage>()});
        }
    }
    return images;
}

std::vector<ShownImage> read(const QByteArray& rtf, QTextDocument& document) {
    readRtf(rtf, document);
    return imagesIn(document);
}

TEST(RtfPictures, PngFromHexAtItsOwnSize) {
    QTextDocument document;
    const QByteArray png = encoded(redImage(40, 30), "PNG");
    const auto images = read("{\\rtf1 a{\\pict\\pngblip\\picw40\\pich30 " + png.toHex() + "}b}", document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image.size(), QSize(40, 30));
    EXPECT_EQ(images[0].image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_DOUBLE_EQ(images[0].format.width(), 40);
    EXPECT_DOUBLE_EQ(images[0].format.height(), 30);
    EXPECT_EQ(document.toPlainText(), "a" + QString(QChar::ObjectReplacementCharacter) + "b");
}

TEST(RtfPictures, JpegFromBinaryWithGoalAndScale) {
    QTextDocument document;
    const QByteArray jpeg = encoded(redImage(64, 32), "JPEG");
    const QByteArray rtf = "{\\rtf1 {\\pict\\jpegblip\\picwgoal1500\\pichgoal750\\picscalex50\\picscaley200\\bin" +
                           QByteArray::number(jpeg.size()) + " " + jpeg + "}}";
    const auto images = read(rtf, document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image.size(), QSize(64, 32));
    EXPECT_DOUBLE_EQ(images[0].format.width(), 50);    // 1500 twips = 100 px, at 50 %
    EXPECT_DOUBLE_EQ(images[0].format.height(), 100);  // 750 twips = 50 px, at 200 %
}

TEST(RtfPictures, MetafileBecomesPlaceholderOfGoalSize) {
    QTextDocument document;
    const auto images = read("{\\rtf1 {\\pict\\wmetafile8\\picw5000\\pich2500\\picwgoal3000\\pichgoal1500 0100090000}}",
                             document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_DOUBLE_EQ(images[0].format.width(), 200);
    EXPECT_DOUBLE_EQ(images[0].format.height(), 100);
    EXPECT_FALSE(images[0].image.isNull());
}

TEST(RtfPictures, ObjectShowsItsResultPicture) {
    QTextDocument document;
    const QByteArray png = encoded(redImage(8, 8), "PNG");
    const auto images =
        read("{\\rtf1 {\\object\\objemb{\\*\\objclass Equation.3}{\\*\\objdata 0102ff}{\\result{\\pict\\pngblip " +
                 png.toHex() + "}}}}",
             document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image.size(), QSize(8, 8));
}

TEST(RtfPictures, GiganticPictureIsNotDecoded) {
    // A valid PNG header that claims 30000 x 30000 pixels: only a placeholder is shown.
    QImage small = redImage(1, 1);
    QByteArray png = encoded(small, "PNG");
    const auto patchSize = [&](quint32 side) {
        for (int i = 0; i < 4; ++i) {
            png[16 + i] = char((side >> (24 - 8 * i)) & 0xff);
            png[20 + i] = char((side >> (24 - 8 * i)) & 0xff);
        }
    };
    patchSize(30000);
    QTextDocument document;
    const auto images = read("{\\rtf1 {\\pict\\pngblip\\picwgoal150000\\pichgoal150000 " + png.toHex() + "}}", document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_LE(images[0].image.width(), 8000);
    EXPECT_LE(images[0].format.width(), 8000);
    EXPECT_LE(images[0].format.height(), 8000);
}

TEST(RtfPictures, CorruptDataGivesPlaceholder) {
    QTextDocument document;
    const auto images = read("{\\rtf1 {\\pict\\pngblip\\picwgoal300\\pichgoal300 89504e47zz0d0a}}", document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_DOUBLE_EQ(images[0].format.width(), 20);
    EXPECT_FALSE(images[0].image.isNull());
}

TEST(RtfPictures, LaterLoadShowsItsOwnPicture) {
    QTextDocument document;
    read("{\\rtf1 {\\pict\\pngblip " + encoded(redImage(10, 10), "PNG").toHex() + "}}", document);
    const auto images = read("{\\rtf1 {\\pict\\pngblip " + encoded(redImage(20, 5), "PNG").toHex() + "}}", document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image.size(), QSize(20, 5));
}

}  // namespace
