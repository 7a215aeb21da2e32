#include "RichText.h"

#include "RtfWriter.h"
#include "RtfReader.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace {

QByteArray pngOf(const QTextDocument& document, const QString& name) {
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
    const QImage image =
        resource.canConvert<QImage>() ? resource.value<QImage>() : QImage::fromData(resource.toByteArray());
    if (image.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Gives every picture of the document a new name, returning the pictures by their new names.
std::vector<NamedPicture> renamePictures(QTextDocument& document, const QString& folder, int first) {
    std::vector<NamedPicture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QByteArray png = pngOf(document, format.name());
            if (png.isEmpty()) continue;
            const QString name = QString("picture%1.png").arg(first + int(pictures.size()));
            pictures.push_back({name, png});
            format.setName(folder + name);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return pictures;
}

QString bodyOf(const QString& html) {
    static const QRegularExpression body("<body[^>]*>(.*)</body>", QRegularExpression::DotMatchesEverythingOption);
    const auto match = body.match(html);
    return match.hasMatch() ? match.captured(1).trimmed() : html;
}

}  // namespace

QByteArray plainTextToRtf(const QString& text) {
    QTextDocument document;
    document.setPlainText(text);
    return writeRtf(document);
}

QByteArray htmlToRtf(const QString& html, const std::map<QString, QImage>& pictures) {
    QTextDocument document;
    for (const auto& [name, image] : pictures) document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    document.setHtml(html);
    return writeRtf(document);
}

QByteArray markdownToRtf(const QString& markdown) {
    QTextDocument document;
    document.setMarkdown(markdown);
    return writeRtf(document);
}

QString rtfToPlainText(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter).trimmed();
}

HtmlWithPictures rtfToHtml(const QByteArray& rtf, const QString& pictureFolder, int firstPicture) {
    QTextDocument document;
    readRtf(rtf, document);
    HtmlWithPictures result;
    result.pictures = renamePictures(document, pictureFolder, firstPicture);
    result.html = bodyOf(document.toHtml());
    return result;
}
