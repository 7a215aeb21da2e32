#include "TextDecoding.h"

#include "Cp1251.h"
#include "ImportReport.h"

#include <QStringDecoder>

namespace {

// The first byte that is not part of valid UTF-8, or -1.
qsizetype firstInvalidUtf8(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > bytes.size()) return i;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return i;
        i += length;
    }
    return -1;
}

QString decodeUtf16(const QByteArray& bytes, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) throw FormatError("byte 0", "broken UTF-16 text");
    return text;
}

}  // namespace

QString decodeBankText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArray rest = bytes.mid(3);
        if (const qsizetype bad = firstInvalidUtf8(rest); bad >= 0)
            throw FormatError(QString("byte %1").arg(bad + 3), "marked as UTF-8 but is not valid UTF-8");
        return QString::fromUtf8(rest);
    }
    if (bytes.startsWith("\xFF\xFE")) return decodeUtf16(bytes, QStringConverter::Utf16LE);
    if (bytes.startsWith("\xFE\xFF")) return decodeUtf16(bytes, QStringConverter::Utf16BE);
    const qsizetype bad = firstInvalidUtf8(bytes);
    if (bad < 0) return QString::fromUtf8(bytes);
    // cp1251 has no character 0x98, and no text holds control bytes other than tab and line ends.
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0x98 || (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r'))
            throw FormatError(QString("byte %1").arg(i), "unknown text encoding: neither UTF-8 nor cp1251");
    }
    return fromCp1251(bytes.toStdString());
}
