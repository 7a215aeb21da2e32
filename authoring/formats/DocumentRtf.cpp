// Interim RTF writer until the rich-text library's own writer takes its place: paragraphs,
// bold, italic, underline, sub- and superscripts, and pictures as PNG; text in cp1251 with
// \uN for characters outside it.
#include "DocumentRtf.h"

#include "Cp1251.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace {

constexpr int kTwipsPerPixel = 15;

QImage pictureOf(const QTextDocument& document, const QString& name) {
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.canConvert<QImage>()) return resource.value<QImage>();
    return QImage::fromData(resource.toByteArray());
}

void appendPicture(QByteArray& rtf, const QTextDocument& document, const QTextImageFormat& format) {
    const QImage image = pictureOf(document, format.name());
    if (image.isNull()) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const int width = format.width() > 0 ? qRound(format.width()) : image.width();
    const int height = format.height() > 0 ? qRound(format.height()) : image.height();
    rtf += QStringLiteral("{\\pict\\pngblip\\picw%1\\pich%2\\picwgoal%3\\pichgoal%4\r\n")
               .arg(image.width()).arg(image.height()).arg(width * kTwipsPerPixel).arg(height * kTwipsPerPixel)
               .toLatin1();
    for (qsizetype i = 0; i < png.size(); i += 64) rtf += png.mid(i, 64).toHex() + "\r\n";
    rtf += "}";
}

void appendText(QByteArray& rtf, const QString& text) {
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == '\\' || unit == '{' || unit == '}') {
            rtf += '\\';
            rtf += char(unit);
        } else if (unit == '\t') {
            rtf += "\\tab ";
        } else if (unit == 0x2028 || unit == '\n') {
            rtf += "\\line ";
        } else if (unit >= 0x20 && unit < 0x80) {
            rtf += char(unit);
        } else if (const std::string byte = toCp1251(QString(c)); byte != "?" && unit >= 0x20) {
            rtf += QStringLiteral("\\'%1").arg(static_cast<unsigned char>(byte[0]), 2, 16, QChar('0')).toLatin1();
        } else if (unit >= 0x20) {
            rtf += "\\u" + QByteArray::number(static_cast<qint16>(unit)) + "?";
        }
    }
}

QByteArray characterControls(const QTextCharFormat& format) {
    QByteArray controls = "\\plain\\fs24";
    if (format.fontWeight() >= QFont::DemiBold) controls += "\\b";
    if (format.fontItalic()) controls += "\\i";
    if (format.fontUnderline()) controls += "\\ul";
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) controls += "\\sub";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) controls += "\\super";
    return controls + " ";
}

void appendBlock(QByteArray& rtf, const QTextDocument& document, const QTextBlock& block) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextFragment piece = fragment.fragment();
        if (piece.charFormat().isImageFormat()) {
            appendPicture(rtf, document, piece.charFormat().toImageFormat());
            continue;
        }
        rtf += "{" + characterControls(piece.charFormat());
        appendText(rtf, piece.text());
        rtf += "}";
    }
}

}  // namespace

QByteArray documentToRtf(const QTextDocument& document) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Times New Roman;}}\r\n";
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) rtf += "\\par\r\n";
        rtf += "\\pard ";
        appendBlock(rtf, document, block);
    }
    return rtf + "}";
}
