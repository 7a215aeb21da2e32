#include "RtfReader.h"

#include "Cp1251.h"
#include "RtfParser.h"

#include <QTextDocument>

namespace {

bool looksLikeRtf(const QByteArray& bytes) {
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\r' || bytes[start] == '\n' ||
                                    bytes[start] == '\t'))
        ++start;
    const QByteArrayView rest = QByteArrayView(bytes).sliced(start);
    return rest.startsWith("{\\rtf") || rest.startsWith("{\\urtf");
}


}  // namespace

void readRtf(const QByteArray& rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    if (looksLikeRtf(rtf)) {
        const qsizetype start = rtf.indexOf('{');
        const QByteArray body = rtf.sliced(start);
        rtf::RtfParser parser(body, document);
        parser.run();
    } else {
        // Plain 8-bit text, as the rest of the system writes it; it ends at the first NUL.
        const qsizetype end = rtf.indexOf('\0');
        const QByteArray text = end < 0 ? rtf : rtf.first(end);
        document.setPlainText(fromCp1251(text.toStdString()));
    }
    document.setUndoRedoEnabled(undo);
}
