#include "TestDocumentFile.h"

#include "Cp1251.h"
#include "DocumentPacking.h"
#include "JetDatabase.h"
#include "JetWriter.h"
#include "TestFile.h"
#include "TestTable.h"

#include <algorithm>

namespace {

constexpr std::array<const char*, 5> AnswerColumns = {"A1", "A2", "A3", "A4", "A5"};

QByteArray documentIn(TestTable& table, const char* column) { return UnpackBlob(table.blobValue(column)); }

const std::array<const char*, 6> SettingColumns = {"TestTitle", "QuestionCountForAnswer", "TimeForAnswer",
                                                   "AnswerBalls", "AllowReturn", "ResultHere"};

// As the student program does: when the settings cannot be read, its defaults stand.
TestSettings studentDefaults(const QString& title) {
    TestSettings settings;
    settings.title = title;
    settings.questionsPerTest = 30;
    settings.minutes = 50;
    settings.pointsTenths = 10;
    settings.allowReturn = true;
    settings.runningScore = false;
    return settings;
}

TestSettings readSettings(TestTable& table) {
    table.open("TestInfo");
    table.moveFirst();
    TestSettings settings;
    settings.title = fromCp1251(table.textValue("TestTitle"));
    try {
        settings.questionsPerTest = table.int32Value("QuestionCountForAnswer");
        settings.minutes = table.int32Value("TimeForAnswer");
        settings.pointsTenths = table.int32Value("AnswerBalls");
        settings.allowReturn = table.booleanValue("AllowReturn");
        settings.runningScore = table.booleanValue("ResultHere");
    } catch (const TestFileError&) {
        settings = studentDefaults(settings.title);
    }
    table.closeTable();
    return settings;
}

// The reader takes NULL as 0 or false; the columns that were NULL are written NULL again.
std::vector<std::string> unsetSettingsIn(const QString& path) {
    JetDatabase database(path);
    const std::unique_ptr<JetTable> table = database.openTable("TestInfo");
    std::vector<std::string> unset;
    if (table->rowCount() < 1) return unset;
    table->moveTo(1);
    for (const char* column : SettingColumns) {
        const int index = table->columnIndex(column);
        if (index >= 0 && table->cell(index).isNull) unset.push_back(column);
    }
    return unset;
}

std::vector<AuthoredQuestion> readQuestions(TestTable& table) {
    table.open("Test");
    std::vector<AuthoredQuestion> questions(static_cast<std::size_t>(table.rowCount()));
    for (std::int32_t row = 1; row <= table.rowCount(); ++row) {
        table.moveTo(row);
        AuthoredQuestion& question = questions[static_cast<std::size_t>(row - 1)];
        question.question = documentIn(table, "Q");
        for (std::size_t k = 0; k < AnswerColumns.size(); ++k) question.answers[k] = documentIn(table, AnswerColumns[k]);
    }
    return questions;
}

jet::Value settingValue(const TestDocument& document, const std::string& column, jet::Value value) {
    const auto& unset = document.unsetSettings;
    if (std::find(unset.begin(), unset.end(), column) != unset.end()) return std::monostate{};
    return value;
}

jet::Table settingsTable(const TestDocument& document) {
    using jet::ColumnType;
    const TestSettings& s = document.settings;
    jet::Table table{"TestInfo",
                     {{"TestTitle", ColumnType::Text},
                      {"QuestionCountForAnswer", ColumnType::Long},
                      {"TimeForAnswer", ColumnType::Long},
                      {"AnswerBalls", ColumnType::Long},
                      {"AllowReturn", ColumnType::Boolean},
                      {"ResultHere", ColumnType::Boolean}},
                     {}};
    const std::vector<jet::Value> values{s.title.toStdString(), std::int32_t{s.questionsPerTest},
                                         std::int32_t{s.minutes}, std::int32_t{s.pointsTenths},
                                         s.allowReturn, s.runningScore};
    std::vector<jet::Value> row;
    for (std::size_t i = 0; i < values.size(); ++i)
        row.push_back(settingValue(document, table.columns[i].name, values[i]));
    table.rows.push_back(std::move(row));
    return table;
}

// An empty slot is written NULL, as the file it came from had it.
jet::Value packedCell(const QByteArray& document) {
    if (document.isEmpty()) return std::monostate{};
    return packDocument(document.toStdString());
}

jet::Table questionTable(const TestDocument& document) {
    jet::Table table{"Test", {{"Q", jet::ColumnType::Ole}}, {}};
    for (const char* column : AnswerColumns) table.columns.push_back({column, jet::ColumnType::Ole});
    table.rows.reserve(document.questions.size());
    for (const AuthoredQuestion& question : document.questions) {
        std::vector<jet::Value> row{packedCell(question.question)};
        for (const QByteArray& answer : question.answers) row.push_back(packedCell(answer));
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace

TestDocument readTestDocument(const QString& path) {
    TestTable table;
    table.setConnection(path);
    TestDocument document;
    document.settings = readSettings(table);
    document.questions = readQuestions(table);
    table.close();
    document.unsetSettings = unsetSettingsIn(path);
    return document;
}

void writeTestDocument(const QString& path, const TestDocument& document) {
    try {
        jet::writeDatabase(path.toStdString(), {settingsTable(document), questionTable(document)});
    } catch (const std::runtime_error& error) {
        throw TestDocumentSaveError(error.what());
    }
}
