#include "PictureSource.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

constexpr int sourceBytesProperty = QTextFormat::UserProperty + 0x5201;
constexpr int sourceKindProperty = QTextFormat::UserProperty + 0x5202;
// QImage keeps its cache key through copies and changes it on any write, so the key tells
// whether the stored image is still the one the bytes decode to.
constexpr int sourceImageKeyProperty = QTextFormat::UserProperty + 0x5203;

std::optional<qint64> storedImageKey(const QTextDocument& document, const QString& name) {
    const QVariant stored = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (stored.typeId() != QMetaType::QImage) return std::nullopt;
    return stored.value<QImage>().cacheKey();
}

}  // namespace

void keepPictureSource(QTextImageFormat& format, const PictureSource& source, const QImage& shown) {
    format.setProperty(sourceBytesProperty, source.bytes);
    format.setProperty(sourceKindProperty, source.kind);
    format.setProperty(sourceImageKeyProperty, shown.cacheKey());
}

std::optional<PictureSource> unchangedPictureSource(const QTextDocument& document, const QTextImageFormat& format) {
    if (!format.hasProperty(sourceBytesProperty)) return std::nullopt;
    const QByteArray kind = format.property(sourceKindProperty).toByteArray();
    if (kind.isEmpty()) return std::nullopt;
    const std::optional<qint64> key = storedImageKey(document, format.name());
    if (!key || *key != format.property(sourceImageKeyProperty).toLongLong()) return std::nullopt;
    return PictureSource{format.property(sourceBytesProperty).toByteArray(), kind};
}
