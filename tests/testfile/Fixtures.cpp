#include "Fixtures.h"

#include "TestFileBuilder.h"

#include <QFile>

#include <stdexcept>

Blob bytesOf(const std::string& text) { return Blob(text.begin(), text.end()); }

Blob packed(const std::string& document) { return packDocument(document); }

Blob rawDeflate(const std::string& document) {
    const Blob zlib = packed(document);
    return Blob(zlib.begin() + 2, zlib.end() - 4);  // without the header and the Adler-32
}

jet::Table infoTable(const InfoRow& row) {
    jet::Table table{"TestInfo", {}, {{}}};
    // A text or binary value makes its column a text or OLE column, to store a wrong type.
    auto add = [&](const char* name, jet::ColumnType type, const std::optional<jet::Value>& value) {
        if (!value) return;
        if (std::holds_alternative<std::string>(*value)) type = jet::ColumnType::Text;
        if (std::holds_alternative<Blob>(*value)) type = jet::ColumnType::Ole;
        table.columns.push_back({name, type});
        table.rows[0].push_back(*value);
    };
    add("TestTitle", jet::ColumnType::Text, row.title);
    add("QuestionCountForAnswer", jet::ColumnType::Long, row.questionCount);
    add("TimeForAnswer", jet::ColumnType::Long, row.minutes);
    add("AnswerBalls", jet::ColumnType::Long, row.balls);
    add("AllowReturn", jet::ColumnType::Boolean, row.allowReturn);
    add("ResultHere", jet::ColumnType::Boolean, row.resultHere);
    return table;
}

jet::Table questionTable(const std::vector<std::vector<jet::Value>>& rows) {
    jet::Table table{"Test", {}, rows};
    for (const char* name : {"Q", "A1", "A2", "A3", "A4", "A5"}) table.columns.push_back({name, jet::ColumnType::Ole});
    return table;
}

std::vector<jet::Value> packedRow(const std::string& question, const std::vector<std::string>& answers) {
    std::vector<jet::Value> row{packed(question)};
    for (const std::string& answer : answers) row.emplace_back(packed(answer));
    return row;
}

jet::Table questionTable(int rowCount) {
    std::vector<std::vector<jet::Value>> rows;
    for (int r = 1; r <= rowCount; ++r) {
        const std::string n = std::to_string(r);
        rows.push_back(packedRow("Q" + n, {"A1-" + n, "A2-" + n, "A3-" + n, "A4-" + n, "A5-" + n}));
    }
    return questionTable(rows);
}

QString FixtureDir::write(const QString& fileName, const std::vector<jet::Table>& tables) const {
    const QString file = path(fileName);
    jet::writeDatabase(QFile::encodeName(file).toStdString(), tables);
    return file;
}

QString FixtureDir::writeBytes(const QString& fileName, const QByteArray& bytes) const {
    const QString file = path(fileName);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) throw std::runtime_error("write failed");
    return file;
}
