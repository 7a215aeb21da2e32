#include "AikenFormat.h"

#include "QuestionRules.h"
#include "RichText.h"
#include "TextDecoding.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

struct Option {
    QChar letter;
    QString text;
};

struct Pending {
    int line = 0;
    QStringList stem;
    std::vector<Option> options;
    QString answer;

    bool empty() const { return stem.isEmpty() && options.empty() && answer.isEmpty(); }
};

const QRegularExpression& optionLine() {
    static const QRegularExpression pattern(R"(^([A-Za-z])[\)\.](?:\s+(.*))?$)");
    return pattern;
}

const QRegularExpression& answerLine() {
    static const QRegularExpression pattern(R"(^ANSWER\s*:\s*(.*)$)", QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

void finish(Pending& pending, ImportResult& result, bool& anyOptions) {
    if (pending.empty()) return;
    const QString stem = pending.stem.join('\n');
    BankQuestion question{firstLine(stem), QString("line %1").arg(pending.line), plainTextToRtf(stem), {}, false, {}};
    anyOptions = anyOptions || !pending.options.empty();
    if (pending.options.empty()) question.otherType = "free text (no options A), B), ...)";
    for (const Option& option : pending.options)
        question.choices.push_back({plainTextToRtf(option.text), option.letter == pending.answer.toUpper(), false});
    addBankQuestion(question, result);
    pending = {};
}

}  // namespace

ImportResult importAiken(const QByteArray& bytes) {
    const QStringList lines = decodeBankText(bytes).split('\n');
    ImportResult result;
    Pending pending;
    bool anyOptions = false;
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = QString(lines[n]).remove('\r').trimmed();
        if (line.isEmpty()) {
            finish(pending, result, anyOptions);
            continue;
        }
        if (pending.empty()) pending.line = n + 1;
        const auto answer = answerLine().match(line);
        const auto option = optionLine().match(line);
        if (answer.hasMatch()) {
            pending.answer = answer.captured(1).trimmed();
            finish(pending, result, anyOptions);
        } else if (option.hasMatch() && !pending.stem.isEmpty()) {
            pending.options.push_back({option.captured(1).at(0).toUpper(), option.captured(2).trimmed()});
        } else if (pending.options.empty()) {
            pending.stem << line;
        } else {
            throw FormatError(QString("line %1").arg(n + 1),
                              "expected an option such as \"B) ...\" or \"ANSWER: A\", found \"" + firstLine(line) + "\"");
        }
    }
    finish(pending, result, anyOptions);
    if (!anyOptions) throw FormatError("line 1", "no Aiken questions (options \"A) ...\" and \"ANSWER: A\") in the file");
    return result;
}

QByteArray exportAiken(const TestDocument& test) {
    QString aiken;
    for (const AuthoredQuestion& question : test.questions) {
        aiken += rtfToPlainText(question.question).simplified() + "\n";
        char letter = 'A';
        for (const QByteArray& answer : question.answers)
            if (!answer.isEmpty()) aiken += QString("%1) %2\n").arg(letter++).arg(rtfToPlainText(answer).simplified());
        aiken += "ANSWER: A\n\n";
    }
    return aiken.toUtf8();
}
