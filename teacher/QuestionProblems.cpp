#include "QuestionProblems.h"

#include "EditedTest.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

// The size the picture takes in the file: PNG bytes as the editor stores it.
qsizetype storedPictureBytes(const QTextDocument& document, const QTextImageFormat& format) {
    const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    if (image.isNull()) return 0;
    // A picture far below the limit needs no encoding to tell.
    if (image.sizeInBytes() < LargestPictureBytes) return image.sizeInBytes();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.size();
}

bool hasLargePicture(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() && storedPictureBytes(document, format.toImageFormat()) > LargestPictureBytes)
                return true;
        }
    return false;
}

}  // namespace

QStringList questionProblems(EditedTest& test, int index) {
    QStringList problems;
    if (test.document(index, 0)->isEmpty()) problems << QCoreApplication::translate("QuestionProblems", "The question is empty");
    QSet<QString> answers;
    bool emptyAnswer = false, equalAnswers = false, largePicture = hasLargePicture(*test.document(index, 0));
    for (int slot = 1; slot < DocumentsPerQuestion; ++slot) {
        const QTextDocument& answer = *test.document(index, slot);
        const QString text = answer.toPlainText().trimmed();
        if (answer.isEmpty()) emptyAnswer = true;
        else if (answers.contains(text) && !text.isEmpty()) equalAnswers = true;
        answers.insert(text);
        largePicture = largePicture || hasLargePicture(answer);
    }
    if (emptyAnswer) problems << QCoreApplication::translate("QuestionProblems", "An answer is empty");
    if (equalAnswers) problems << QCoreApplication::translate("QuestionProblems", "Two answers are equal");
    if (largePicture) problems << QCoreApplication::translate("QuestionProblems", "A picture is larger than 1 MB");
    return problems;
}
