#include "TemporaryRtfWriter.h"

#include "TestFileBuilder.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

std::string pictureOf(const QTextDocument& document, const QTextImageFormat& format) {
    const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    if (image.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const std::vector<std::uint8_t> bytes(png.begin(), png.end());
    const int width = format.width() > 0 ? static_cast<int>(format.width()) : image.width();
    const int height = format.height() > 0 ? static_cast<int>(format.height()) : image.height();
    return pictureRtf(bytes, PictureFormat::Png, width, height);
}

}  // namespace

QByteArray writeRtf(const QTextDocument& document) {
    std::string body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) body += "\\par\r\n";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat())
                body += pictureOf(document, format.toImageFormat());
            else
                body += rtfParagraphs(fragment.text().replace(QChar::LineSeparator, u'\n').toStdString());
        }
    }
    return QByteArray::fromStdString(rtfDocument(body));
}
