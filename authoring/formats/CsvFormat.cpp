#include "CsvFormat.h"

#include "QuestionRules.h"
#include "RichText.h"
#include "TextDecoding.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

struct Row {
    int line = 0;
    QStringList cells;
};

// The separator that occurs most often outside quotes on the first line.
QChar detectSeparator(const QString& text) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n') break;
        comma += c == ',';
        semicolon += c == ';';
        tab += c == '\t';
    }
    if (tab >= comma && tab >= semicolon && tab > 0) return '\t';
    return semicolon > comma ? ';' : ',';
}

std::vector<Row> splitRows(const QString& text, QChar separator) {
    std::vector<Row> rows;
    Row row{1, {}};
    QString cell;
    bool quoted = false;
    int line = 1, quoteLine = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                if (c != '\r') cell += c;
            }
        } else if (c == '"') {
            quoted = true;
            quoteLine = line;
        } else if (c == separator) {
            row.cells << cell;
            cell.clear();
        } else if (c == '\n') {
            row.cells << cell;
            rows.push_back(row);
            row = {++line, {}};
            cell.clear();
        } else if (c != '\r') {
            cell += c;
        }
    }
    if (quoted) throw FormatError(QString("line %1").arg(quoteLine), "a quoted cell is never closed");
    row.cells << cell;
    rows.push_back(row);
    return rows;
}

// A header names the first column; no question begins with the word "question" alone.
bool isHeader(const Row& row) {
    static const QRegularExpression word(R"(^\s*(question|вопрос)\s*\S{0,3}\s*$)", QRegularExpression::CaseInsensitiveOption);
    return word.match(row.cells.first()).hasMatch();
}

BankQuestion readRow(const Row& row) {
    BankQuestion question;
    question.position = QString("line %1").arg(row.line);
    question.title = firstLine(row.cells.first());
    question.rtf = plainTextToRtf(row.cells.first().trimmed());
    for (qsizetype k = 1; k < row.cells.size(); ++k)
        if (const QString answer = row.cells[k].trimmed(); !answer.isEmpty())
            question.choices.push_back({plainTextToRtf(answer), k == 1, false});
    return question;
}

}  // namespace

ImportResult importCsv(const QByteArray& bytes) {
    const QString text = decodeBankText(bytes);
    const std::vector<Row> rows = splitRows(text, detectSeparator(text));
    ImportResult result;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (row.cells.join("").trimmed().isEmpty() || (i == 0 && isHeader(row))) continue;
        addBankQuestion(readRow(row), result);
    }
    if (result.report.imported == 0 && result.report.skipped.empty())
        throw FormatError("line 1", "no rows of question, correct answer and wrong answers");
    return result;
}
