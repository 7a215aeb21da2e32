#include "QuestionRules.h"

#include <algorithm>

namespace {

constexpr std::size_t kSlots = 5;
constexpr qsizetype kTitleLength = 60;

QString reasonToSkip(const BankQuestion& question) {
    if (!question.otherType.isEmpty())
        return QString("%1 question; a test holds only questions with one correct answer").arg(question.otherType);
    const auto& choices = question.choices;
    if (std::any_of(choices.begin(), choices.end(), [](const BankChoice& c) { return c.partlyCorrect; }))
        return "several correct answers (partial marks); a test question has one correct answer";
    const auto correct = std::count_if(choices.begin(), choices.end(), [](const BankChoice& c) { return c.correct; });
    if (correct == 0) return "no correct answer";
    if (correct > 1) return QString("%1 correct answers; a test question has one").arg(correct);
    if (choices.size() > kSlots) return QString("%1 answers; a test question holds at most five").arg(choices.size());
    if (choices.size() < 2) return "only one answer; a test question needs at least two";
    return {};
}

}  // namespace

void addBankQuestion(const BankQuestion& question, ImportResult& result) {
    const QString reason = reasonToSkip(question);
    if (!reason.isEmpty()) {
        result.report.skipped.push_back({question.title, question.position, reason});
        return;
    }
    AuthoredQuestion authored;
    authored.question = question.rtf;
    std::size_t slot = 1;
    for (const BankChoice& choice : question.choices)
        (choice.correct ? authored.answers[0] : authored.answers[slot++]) = choice.rtf;
    const int index = static_cast<int>(result.document.questions.size());
    result.document.questions.push_back(authored);
    ++result.report.imported;
    if (question.trueFalse)
        result.report.warned.push_back({index, "a true/false question: two answers, the other three slots are empty"});
    else if (question.choices.size() < kSlots)
        result.report.warned.push_back(
            {index, QString("%1 answers; the other slots are empty").arg(question.choices.size())});
}

QString firstLine(const QString& text) {
    QString line = text.trimmed().section('\n', 0, 0).simplified();
    if (line.size() > kTitleLength) line = line.left(kTitleLength - 1) + QChar(0x2026);
    return line;
}
