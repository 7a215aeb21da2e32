#include "TestFileReport.h"

#include "Cp1251.h"
#include "Notices.h"
#include "RtfReader.h"
#include "SharedState.h"
#include "TestFile.h"
#include "TestTable.h"

#include <QTextDocument>

#include <cmath>

namespace {

constexpr int kAnswerCount = 5;
constexpr qsizetype kListLineWidth = 70;

// The reader reports a failed load as a notice; here it goes to the error stream.
class StreamNotices final : public Notices {
public:
    explicit StreamNotices(QTextStream& err) : err_(err) {}
    void notice(const QString& text) override { err_ << "qzt: " << text << Qt::endl; }
    bool question(const QString&) override { return false; }

private:
    QTextStream& err_;
};

class ScopedStreamNotices {
public:
    explicit ScopedStreamNotices(QTextStream& err) : notices_(err) { setNotices(&notices_); }
    ~ScopedStreamNotices() { setNotices(nullptr); }

private:
    StreamNotices notices_;
};

QString plainText(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    QString text = document.toPlainText();
    text.replace(QChar::ObjectReplacementCharacter, QStringLiteral("[picture]"));
    return text.trimmed();
}

QString documentOf(TestTable& table, const char* column) {
    return plainText(UnpackBlob(table.blobValue(column)));
}

// Opens the file; false when it could not be read at all (the reason is already printed).
bool open(const QString& path, QTextStream& out, QTextStream& err) {
    const bool accepted = OpenTestFile(path);
    TestTable& table = TheTestTable();
    if (!table.isOpen() || table.tableName() != "Test") {
        err << "qzt: " << path << ": not a readable test file" << Qt::endl;
        return false;
    }
    const SharedState& state = Shared();
    out << "Title:           " << fromCp1251(state.TestTitle) << "\n"
        << "Questions asked: " << state.QuestionCount << "\n"
        << "Minutes:         " << std::lround(state.TimeLimit * 1440.0) << "\n"
        << "Points/answer:   " << state.PointsPerAnswer << "\n"
        << "Return allowed:  " << (state.AllowReturn ? "yes" : "no") << "\n"
        << "Score shown:     " << (state.ResultHere ? "yes" : "no") << "\n"
        << "Questions:       " << state.QuestionRecordCount << "\n"
        << "Accepted:        "
        << (accepted ? QString("yes")
                     : QString("no, it needs more than %1 questions").arg(state.QuestionCount))
        << "\n\n";
    return true;
}

// Runs one report over every row; a row that cannot be read is reported and the rest go on.
template <typename EachRow>
int report(const QString& path, QTextStream& out, QTextStream& err, EachRow eachRow) {
    ScopedStreamNotices notices(err);
    if (!open(path, out, err)) {
        CloseTestTable();
        return 1;
    }
    int exitCode = 0;
    TestTable& table = TheTestTable();
    for (std::int32_t row = 1; row <= table.rowCount(); ++row) {
        try {
            table.moveTo(row);
            eachRow(table, row);
        } catch (const std::exception& error) {
            out << Qt::endl;
            err << "qzt: question " << row << ": " << QString::fromUtf8(error.what()) << Qt::endl;
            exitCode = 1;
        }
    }
    CloseTestTable();
    out.flush();
    return exitCode;
}

}  // namespace

int listTestFile(const QString& path, QTextStream& out, QTextStream& err) {
    return report(path, out, err, [&](TestTable& table, std::int32_t row) {
        const QString question = documentOf(table, "Q");
        QString line = question.section(QChar('\n'), 0, 0);
        if (line.size() > kListLineWidth || question.contains(QChar('\n'))) line = line.left(kListLineWidth) + "…";
        out << QString("%1. ").arg(row, 3) << line << "\n";
    });
}

int dumpTestFile(const QString& path, QTextStream& out, QTextStream& err) {
    return report(path, out, err, [&](TestTable& table, std::int32_t row) {
        const QString question = documentOf(table, "Q");
        out << row << ". " << question << "\n";
        for (int k = 1; k <= kAnswerCount; ++k) {
            const std::string column = "A" + std::to_string(k);
            out << (k == 1 ? "   * " : "     ") << documentOf(table, column.c_str()) << "\n";
        }
        out << "\n";
    });
}
