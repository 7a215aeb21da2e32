// Pictures: hex or binary data decoded to images, placeholders for the rest.
#include "RtfParser.h"

#include "PictureSource.h"

#include <QBuffer>
#include <QImageReader>
#include <QTextImageFormat>
#include <QUrl>

namespace rtf {

void RtfParser::handlePictureWord(std::string_view word, bool hasParameter, int parameter) {
    const bool typeWord = word == "pngblip" || word == "jpegblip" || word == "wmetafile" || word == "emfblip" ||
                          word == "macpict";
    if (typeWord) {
        picture_.typeWord = QByteArray(word.data(), qsizetype(word.size()));
        if (hasParameter) picture_.typeWord += QByteArray::number(parameter);
    }
    if (word == "pngblip") picture_.kind = PictureKind::Png;
    else if (word == "jpegblip") picture_.kind = PictureKind::Jpeg;
    else if (word == "wmetafile" || word == "emfblip" || word == "macpict") picture_.kind = PictureKind::Metafile;
    else if (word == "picw") picture_.width = std::clamp(parameter, 0, 1 << 20);
    else if (word == "pich") picture_.height = std::clamp(parameter, 0, 1 << 20);
    else if (word == "picwgoal") picture_.goalWidth = std::clamp(parameter, 0, 1 << 20);
    else if (word == "pichgoal") picture_.goalHeight = std::clamp(parameter, 0, 1 << 20);
    else if (word == "picscalex") picture_.scaleX = std::clamp(parameter, 1, 1000);
    else if (word == "picscaley") picture_.scaleY = std::clamp(parameter, 1, 1000);
}

void RtfParser::pictureHex(QByteArrayView text) {
    const qsizetype used = picture_.data.size();
    const qsizetype room = std::min(maxPictureDataBytes - used, text.size() / 2 + 1);
    if (room <= 0) return;
    picture_.data.resize(used + room);
    char* out = picture_.data.data() + used;
    char* const end = out + room;
    int nibble = picture_.pendingNibble;
    for (const char c : text) {
        const int digit = hexDigits[static_cast<unsigned char>(c)];
        if (digit < 0) continue;
        if (nibble < 0) {
            nibble = digit;
            continue;
        }
        if (out == end) break;
        *out++ = static_cast<char>(nibble * 16 + digit);
        nibble = -1;
    }
    picture_.data.truncate(out - picture_.data.constData());
    picture_.pendingNibble = nibble;
}

QImage RtfParser::decodePicture(QSize& displaySize) const {
    const char* format = picture_.kind == PictureKind::Png    ? "png"
                         : picture_.kind == PictureKind::Jpeg ? "jpeg"
                                                              : nullptr;
    if (format == nullptr || picture_.data.isEmpty()) return {};
    QBuffer buffer;
    buffer.setData(picture_.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (!size.isValid() || size.width() > maxPictureSide || size.height() > maxPictureSide ||
        bytes > maxDecodedPictureBytes || decodedBytes_ + bytes > maxDecodedBytesPerDocument)
        return {};
    QImage image = reader.read();
    if (!image.isNull() && displaySize.isEmpty()) displaySize = image.size();
    return image;
}

// One frame per size serves every placeholder of that size.
QString RtfParser::placeholderName(QSize displaySize) {
    const auto key = std::make_pair(displaySize.width(), displaySize.height());
    const auto found = placeholderNames_.find(key);
    if (found != placeholderNames_.end()) return found->second;
    const QString name = QStringLiteral("rtf-placeholder:%1x%2").arg(key.first).arg(key.second);
    document_.addResource(QTextDocument::ImageResource, QUrl(name), placeholderFrame(displaySize));
    placeholderNames_.emplace(key, name);
    return name;
}

QImage RtfParser::placeholderFrame(QSize displaySize) {
    const QSize size = displaySize.boundedTo(QSize(maxPlaceholderSide, maxPlaceholderSide));
    QImage frame(size, QImage::Format_MonoLSB);
    frame.setColorTable({qRgba(0, 0, 0, 0), qRgb(128, 128, 128)});
    frame.fill(0);
    for (int x = 0; x < size.width(); ++x) {
        frame.setPixel(x, 0, 1);
        frame.setPixel(x, size.height() - 1, 1);
    }
    for (int y = 0; y < size.height(); ++y) {
        frame.setPixel(0, y, 1);
        frame.setPixel(size.width() - 1, y, 1);
    }
    return frame;
}

void RtfParser::finishPicture() {
    // The goal size is what the writer meant to show; without it, the picture's own size.
    QSize displaySize;
    if (picture_.goalWidth > 0 && picture_.goalHeight > 0) {
        displaySize = QSize(qRound(picture_.goalWidth / twipsPerPixel), qRound(picture_.goalHeight / twipsPerPixel));
    } else if (picture_.width > 0 && picture_.height > 0) {
        const double unit = picture_.kind == PictureKind::Metafile ? himetricPerPixel : 1.0;
        displaySize = QSize(qRound(picture_.width / unit), qRound(picture_.height / unit));
    }
    QImage image = decodePicture(displaySize);
    const PictureSource source{picture_.data, picture_.typeWord};
    if (displaySize.isEmpty()) displaySize = QSize(32, 32);
    displaySize = QSize(clampInt(qint64(displaySize.width()) * picture_.scaleX / 100, 1, maxPictureSide),
                        clampInt(qint64(displaySize.height()) * picture_.scaleY / 100, 1, maxPictureSide));
    picture_ = PictureState{};

    placeCursorForContent();
    flushRun();
    QString name;
    if (!image.isNull()) {
        decodedBytes_ += image.sizeInBytes();
        name = QStringLiteral("rtf-picture:%1").arg(++pictureCount_);
        document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    } else {
        name = placeholderName(displaySize);
    }
    addHeight(displaySize.height());
    QTextImageFormat format;
    format.setName(name);
    if (!source.kind.isEmpty() && !source.bytes.isEmpty())
        keepPictureSource(format, source, document_.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>());
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
    cursor_.insertImage(format);
    paragraphHasContent_ = true;
}

}  // namespace rtf
