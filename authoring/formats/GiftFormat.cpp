#include "GiftFormat.h"

#include "QuestionRules.h"
#include "RichText.h"
#include "TextDecoding.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

const QString kSpecials = "~=#{}:";

struct Block {
    QString text;
    int line = 0;
};

// Where an unescaped character from `wanted` first stands at or after `from`, or -1.
qsizetype findUnescaped(const QString& text, const QString& wanted, qsizetype from = 0) {
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (wanted.contains(text[i])) {
            return i;
        }
    }
    return -1;
}

QString unescape(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            plain += next == 'n' ? QChar('\n') : next;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// Whether the line leaves the answer braces open, given they were open before it.
bool bracesOpenAfter(const QString& line, bool open) {
    for (qsizetype i = findUnescaped(line, "{}"); i >= 0; i = findUnescaped(line, "{}", i + 1)) open = line[i] == '{';
    return open;
}

std::vector<Block> splitBlocks(const QString& text) {
    std::vector<Block> blocks;
    Block current;
    bool open = false;
    int openedAt = 0;
    const QStringList lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        line.remove('\r');
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith("//") || trimmed.startsWith("$CATEGORY:")) continue;
        if (trimmed.isEmpty() && !open) {
            if (!current.text.trimmed().isEmpty()) blocks.push_back(current);
            current = {};
            continue;
        }
        if (current.text.isEmpty()) current.line = n + 1;
        current.text += line + '\n';
        const bool wasOpen = open;
        open = bracesOpenAfter(line, open);
        if (open && !wasOpen) openedAt = n + 1;
    }
    if (open) throw FormatError(QString("line %1").arg(openedAt), "the answers' '{' is never closed by '}'");
    if (!current.text.trimmed().isEmpty()) blocks.push_back(current);
    return blocks;
}

enum class TextFormat { Plain, Html, Markdown };

TextFormat takeFormat(QString& text) {
    text = text.trimmed();
    static const QRegularExpression prefix(R"(^\[(html|plain|markdown|moodle)\])");
    const auto match = prefix.match(text);
    if (!match.hasMatch()) return TextFormat::Plain;
    text = text.mid(match.capturedLength()).trimmed();
    if (match.captured(1) == "html") return TextFormat::Html;
    if (match.captured(1) == "markdown") return TextFormat::Markdown;
    return TextFormat::Plain;
}

QByteArray toRtf(const QString& escaped, TextFormat format) {
    const QString text = unescape(escaped).trimmed();
    if (format == TextFormat::Html) return htmlToRtf(text);
    if (format == TextFormat::Markdown) return markdownToRtf(text);
    return plainTextToRtf(text);
}

std::optional<double> takeWeight(QString& text) {
    static const QRegularExpression weight(R"(^\s*%(-?\d+(?:\.\d+)?)%)");
    const auto match = weight.match(text);
    if (!match.hasMatch()) return std::nullopt;
    text = text.mid(match.capturedLength());
    return match.captured(1).toDouble();
}

QString withoutFeedback(const QString& text) {
    const qsizetype hash = findUnescaped(text, "#");
    return hash < 0 ? text : text.left(hash);
}

bool readChoices(const QString& answers, TextFormat format, BankQuestion& question) {
    bool anyWrong = false;
    for (qsizetype at = findUnescaped(answers, "=~"); at >= 0;) {
        const qsizetype next = findUnescaped(answers, "=~", at + 1);
        QString text = withoutFeedback(answers.mid(at + 1, next < 0 ? -1 : next - at - 1));
        if (text.contains("->")) {
            question.otherType = "matching";
            return false;
        }
        const std::optional<double> weight = takeWeight(text);
        const double marks = weight.value_or(answers[at] == '=' ? 100 : 0);
        anyWrong = anyWrong || answers[at] == '~';
        question.choices.push_back({toRtf(text, format), marks >= 100, marks > 0 && marks < 100});
        at = next;
    }
    if (!anyWrong) question.otherType = "short answer";
    return anyWrong;
}

void readTrueFalse(const QString& answer, BankQuestion& question) {
    const bool isTrue = answer.startsWith('T', Qt::CaseInsensitive);
    question.trueFalse = true;
    question.choices = {{plainTextToRtf("Верно"), isTrue, false}, {plainTextToRtf("Неверно"), !isTrue, false}};
}

void readAnswers(QString answers, TextFormat format, BankQuestion& question) {
    answers = answers.trimmed();
    static const QRegularExpression trueFalse(R"(^(T|F|TRUE|FALSE)\s*(#.*)?$)",
                                              QRegularExpression::CaseInsensitiveOption |
                                                  QRegularExpression::DotMatchesEverythingOption);
    if (answers.isEmpty())
        question.otherType = "essay";
    else if (answers.startsWith('#'))
        question.otherType = "numerical";
    else if (trueFalse.match(answers).hasMatch())
        readTrueFalse(answers, question);
    else
        readChoices(answers, format, question);
}

BankQuestion readBlock(const Block& block) {
    QString text = block.text.trimmed();
    BankQuestion question;
    question.position = QString("line %1").arg(block.line);
    if (text.startsWith("::")) {
        const qsizetype end = text.indexOf("::", 2);
        if (end < 0) throw FormatError(question.position, "the title's '::' is never closed");
        question.title = unescape(text.mid(2, end - 2)).trimmed();
        text = text.mid(end + 2);
    }
    const qsizetype open = findUnescaped(text, "{");
    QString stem = open < 0 ? text : text.left(open);
    const TextFormat format = takeFormat(stem);
    if (question.title.isEmpty()) question.title = firstLine(unescape(stem));
    if (open < 0) {
        question.otherType = "description";
        return question;
    }
    const qsizetype close = findUnescaped(text, "}", open);
    if (close < 0) throw FormatError(question.position, "the answers' '{' is never closed by '}'");
    const QString tail = text.mid(close + 1).trimmed();
    if (!tail.isEmpty()) stem += " _____ " + tail;
    question.rtf = toRtf(stem, format);
    readAnswers(text.mid(open + 1, close - open - 1), format, question);
    return question;
}

QString escape(QString text) {
    QString escaped;
    for (const QChar c : text) {
        if (c == '\\' || kSpecials.contains(c)) escaped += '\\';
        escaped += c;
    }
    return escaped;
}

QString giftHtml(const QByteArray& rtf) {
    static const QRegularExpression picture("<img[^>]*>");
    return escape(rtfToHtml(rtf, {}, 1).html.remove(picture).replace('\n', ' '));
}

}  // namespace

ImportResult importGift(const QByteArray& bytes) {
    const QString text = decodeBankText(bytes);
    ImportResult result;
    const std::vector<Block> blocks = splitBlocks(text);
    if (blocks.empty()) throw FormatError("line 1", "no GIFT questions in the file");
    for (const Block& block : blocks) addBankQuestion(readBlock(block), result);
    return result;
}

QByteArray exportGift(const TestDocument& test) {
    QString gift;
    if (!test.settings.title.isEmpty()) gift += "// " + QString(test.settings.title).replace('\n', ' ') + "\n\n";
    for (std::size_t i = 0; i < test.questions.size(); ++i) {
        const AuthoredQuestion& question = test.questions[i];
        gift += QString("::%1::[html]%2 {\n").arg(i + 1).arg(giftHtml(question.question));
        for (std::size_t k = 0; k < question.answers.size(); ++k)
            if (!question.answers[k].isEmpty()) gift += (k == 0 ? "\t=" : "\t~") + giftHtml(question.answers[k]) + "\n";
        gift += "}\n\n";
    }
    return gift.toUtf8();
}
