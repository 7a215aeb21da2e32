#include "JetText.h"

namespace {

bool isCompressed(const QByteArray& stored) {
    return stored.size() >= 2 && static_cast<unsigned char>(stored[0]) == 0xFF &&
           static_cast<unsigned char>(stored[1]) == 0xFE;
}

char16_t ucs2At(const QByteArray& stored, qsizetype at) {
    return static_cast<char16_t>(static_cast<unsigned char>(stored[at]) |
                                 (static_cast<unsigned char>(stored[at + 1]) << 8));
}

QString decodeCompressed(const QByteArray& stored) {
    QString text;
    bool oneByte = true;
    qsizetype at = 2;
    while (at < stored.size()) {
        if (stored[at] == '\0') {
            oneByte = !oneByte;
            ++at;
        } else if (oneByte) {
            text += QChar(static_cast<char16_t>(static_cast<unsigned char>(stored[at])));
            ++at;
        } else {
            if (at + 1 >= stored.size()) break;  // half a character at the end: dropped
            text += QChar(ucs2At(stored, at));
            at += 2;
        }
    }
    return text;
}

}  // namespace

QString decodeJetText(const QByteArray& stored) {
    if (isCompressed(stored)) return decodeCompressed(stored);
    QString text;
    text.reserve(stored.size() / 2);
    for (qsizetype at = 0; at + 1 < stored.size(); at += 2) text += QChar(ucs2At(stored, at));
    return text;
}
