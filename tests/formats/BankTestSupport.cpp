#include "BankTestSupport.h"

#include "RichText.h"
#include "RtfReader.h"

#include <QFile>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace {

template <typename Visit>
void eachFragment(const QByteArray& rtf, Visit visit) {
    QTextDocument document;
    readRtf(rtf, document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) visit(document, it.fragment());
}

}  // namespace

QString textOf(const QByteArray& rtf) { return rtfToPlainText(rtf); }

QStringList answerTexts(const AuthoredQuestion& question) {
    QStringList texts;
    for (const QByteArray& answer : question.answers) texts << (answer.isEmpty() ? QString() : textOf(answer));
    return texts;
}

std::vector<QImage> picturesOf(const QByteArray& rtf) {
    std::vector<QImage> pictures;
    eachFragment(rtf, [&](const QTextDocument& document, const QTextFragment& fragment) {
        if (!fragment.charFormat().isImageFormat()) return;
        const QVariant resource =
            document.resource(QTextDocument::ImageResource, QUrl(fragment.charFormat().toImageFormat().name()));
        pictures.push_back(resource.value<QImage>().convertToFormat(QImage::Format_ARGB32));
    });
    return pictures;
}

bool hasVerticalAlignment(const QByteArray& rtf, int alignment) {
    bool found = false;
    eachFragment(rtf, [&](const QTextDocument&, const QTextFragment& fragment) {
        found = found || fragment.charFormat().verticalAlignment() == alignment;
    });
    return found;
}

QByteArray fixture(const QString& name) {
    QFile file(QString(QUIZZARD_SOURCE_DIR) + "/tests/formats/fixtures/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QImage samplePicture(QColor colour) {
    QImage image(12, 8, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(2, 2, 6, 4, colour);
    return image;
}

QStringList skippedReasons(const ImportReport& report) {
    QStringList reasons;
    for (const SkippedQuestion& skipped : report.skipped) reasons << skipped.position + " " + skipped.title + ": " + skipped.reason;
    return reasons;
}
