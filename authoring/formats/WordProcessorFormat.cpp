#include "WordProcessorFormat.h"

#include "RtfWriter.h"
#include "QuestionRules.h"
#include "RichText.h"
#include "RtfReader.h"
#include "TextDecoding.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QUrl>

namespace {

enum class Kind { Blank, Question, Right, Wrong };

Kind kindOf(const QTextBlock& block) {
    const QString text = block.text().trimmed();
    if (text.isEmpty()) return Kind::Blank;
    if (text.startsWith('+')) return Kind::Right;
    if (text.startsWith('-') || text.startsWith(QChar(0x2013)) || text.startsWith(QChar(0x2014))) return Kind::Wrong;
    return Kind::Question;
}

// The pictures of a copied piece live in the source document; the copy needs its own.
void copyPictures(const QTextDocument& source, QTextDocument& copy) {
    for (QTextBlock block = copy.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                copy.addResource(QTextDocument::ImageResource, QUrl(name),
                                 source.resource(QTextDocument::ImageResource, QUrl(name)));
            }
}

// The blocks first..last as a document of their own, without the marker at the start.
QByteArray piece(const QTextDocument& source, const QTextBlock& first, const QTextBlock& last, bool marked) {
    QTextCursor cursor(const_cast<QTextDocument*>(&source));
    const QString text = first.text();
    const qsizetype lead = text.size() - QString(text).remove(QRegularExpression("^\\s*")).size();
    cursor.setPosition(first.position() + int(lead) + (marked ? 1 : 0));
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(cursor.selection());
    copyPictures(source, copy);
    QTextCursor start(&copy);
    for (int count = copy.characterCount(); copy.characterAt(0).isSpace(); count = copy.characterCount()) {
        start.deleteChar();
        if (copy.characterCount() == count) break;
    }
    return writeRtf(copy);
}

struct Pending {
    QTextBlock first, last;
    std::vector<BankChoice> choices;
    bool open() const { return first.isValid(); }
};

void finish(const QTextDocument& source, const QString& unit, Pending& pending, ImportResult& result) {
    if (!pending.open()) return;
    BankQuestion question;
    question.position = QString("%1 %2").arg(unit).arg(pending.first.blockNumber() + 1);
    question.title = firstLine(pending.first.text());
    question.rtf = piece(source, pending.first, pending.last, false);
    question.choices = std::move(pending.choices);
    if (question.choices.empty()) question.otherType = "free text (no answers marked + or -)";
    addBankQuestion(question, result);
    pending = {};
}

// Paragraphs are counted as `unit`: lines of a text file, paragraphs of a document.
ImportResult importDocument(const QTextDocument& source, const QString& unit) {
    ImportResult result;
    Pending pending;
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        const Kind kind = kindOf(block);
        if (kind == Kind::Blank) {
            finish(source, unit, pending, result);
        } else if (kind == Kind::Question) {
            if (pending.open() && !pending.choices.empty()) finish(source, unit, pending, result);
            if (!pending.open()) pending.first = block;
            pending.last = block;
        } else if (!pending.open()) {
            throw FormatError(QString("%1 %2").arg(unit).arg(block.blockNumber() + 1),
                              "an answer \"" + firstLine(block.text()) + "\" stands before any question");
        } else {
            pending.choices.push_back({piece(source, block, block, true), kind == Kind::Right, false});
        }
    }
    finish(source, unit, pending, result);
    if (result.report.imported == 0 && result.report.skipped.empty())
        throw FormatError(unit + " 1", "no questions: expected a question paragraph and answers starting with + or -");
    return result;
}

// Every piece names its pictures from 1; in the whole document each needs a name of its own.
void movePictures(QTextDocument& part, QTextDocument& target, int& pictures) {
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString name = QString("piece-picture:%1").arg(++pictures);
            target.addResource(QTextDocument::ImageResource, QUrl(name),
                               part.resource(QTextDocument::ImageResource, QUrl(format.name())));
            format.setName(name);
            QTextCursor cursor(&part);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
}

void appendPiece(QTextCursor& cursor, const QByteArray& rtf, const QString& marker, int& pictures) {
    QTextDocument part;
    readRtf(rtf, part);
    // An empty last paragraph would end the question before its answers.
    QTextCursor end(&part);
    end.movePosition(QTextCursor::End);
    while (part.blockCount() > 1 && part.lastBlock().text().trimmed().isEmpty()) end.deletePreviousChar();
    movePictures(part, *cursor.document(), pictures);
    cursor.insertBlock();
    cursor.insertText(marker);
    cursor.insertFragment(QTextDocumentFragment(&part));
}

}  // namespace

ImportResult importWordProcessorRtf(const QByteArray& bytes) {
    if (!bytes.trimmed().startsWith("{\\rtf")) throw FormatError("byte 0", "not an RTF document: it must begin with {\\rtf");
    QTextDocument document;
    readRtf(bytes, document);
    return importDocument(document, "paragraph");
}

ImportResult importPlainText(const QByteArray& bytes) {
    QTextDocument document;
    document.setPlainText(decodeBankText(bytes));
    return importDocument(document, "line");
}

QByteArray exportWordProcessorRtf(const TestDocument& test) {
    QTextDocument document;
    QTextCursor cursor(&document);
    int pictures = 0;
    for (const AuthoredQuestion& question : test.questions) {
        appendPiece(cursor, question.question, {}, pictures);
        for (std::size_t k = 0; k < question.answers.size(); ++k)
            if (!question.answers[k].isEmpty()) appendPiece(cursor, question.answers[k], k == 0 ? "+ " : "- ", pictures);
        cursor.insertBlock();
    }
    return writeRtf(document);
}

QByteArray exportPlainText(const TestDocument& test) {
    QString text;
    for (const AuthoredQuestion& question : test.questions) {
        text += rtfToPlainText(question.question) + "\n";
        for (std::size_t k = 0; k < question.answers.size(); ++k)
            if (!question.answers[k].isEmpty())
                text += (k == 0 ? "+ " : "- ") + rtfToPlainText(question.answers[k]).simplified() + "\n";
        text += "\n";
    }
    return text.toUtf8();
}
