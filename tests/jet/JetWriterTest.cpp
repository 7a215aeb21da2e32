// Databases written by our writer, read back value by value through two readers we did not write.
#include "BlackBoxReaders.h"
#include "JetWriter.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace jet;

namespace {

class JetWriterTest : public ::testing::Test {
protected:
    QString pathFor(const QString& name) const { return dir_.filePath(name); }

    QString write(const std::vector<Table>& tables, const QString& name = "db.mdb") {
        const QString path = pathFor(name);
        writeDatabase(path.toStdString(), tables);
        return path;
    }

private:
    QTemporaryDir dir_;
};

std::vector<std::uint8_t> randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(generator());
    return bytes;
}

const QJsonArray rowsOf(const QJsonObject& dump, const char* table) {
    return dump.value(table).toObject().value("rows").toArray();
}

std::vector<std::uint8_t> hexBytes(const QJsonValue& value) {
    return fromHex(value.toObject().value("hex").toString().toStdString());
}

// Every value of a table with one column of each type, compared cell by cell in both readers.
struct Expected {
    std::optional<std::string> text;
    std::optional<std::int32_t> number;
    bool flag;
    std::optional<std::string> memo;
    std::optional<std::vector<std::uint8_t>> blob;
};

Table tableOf(const std::vector<Expected>& expected) {
    Table table{"Mixed",
                {{"T", ColumnType::Text},
                 {"N", ColumnType::Long},
                 {"F", ColumnType::Boolean},
                 {"M", ColumnType::Memo},
                 {"B", ColumnType::Ole}},
                {}};
    for (const Expected& e : expected) {
        std::vector<Value> row;
        row.push_back(e.text ? Value(*e.text) : Value());
        row.push_back(e.number ? Value(*e.number) : Value());
        row.push_back(e.flag);
        row.push_back(e.memo ? Value(*e.memo) : Value());
        row.push_back(e.blob ? Value(*e.blob) : Value());
        table.rows.push_back(std::move(row));
    }
    return table;
}

void expectMdbExport(const QString& path, const std::vector<Expected>& expected) {
    const ExportedTable rows = mdbExport(path, "Mixed");
    ASSERT_EQ(rows.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const auto& cells = rows[i + 1];
        const Expected& e = expected[i];
        ASSERT_EQ(cells.size(), 5u);
        // mdbtools reports a zero-length text as NULL; both read as empty text in the program.
        EXPECT_EQ(cells[0].isNull, !e.text || e.text->empty());
        if (e.text) EXPECT_EQ(cells[0].text, *e.text);
        EXPECT_EQ(cells[1].isNull, !e.number);
        if (e.number) EXPECT_EQ(cells[1].text, std::to_string(*e.number));
        EXPECT_EQ(cells[2].text, e.flag ? "1" : "0");
        EXPECT_EQ(cells[3].isNull, !e.memo || e.memo->empty());
        if (e.memo) EXPECT_EQ(cells[3].text, *e.memo);
        EXPECT_EQ(cells[4].isNull, !e.blob);
        if (e.blob) EXPECT_TRUE(fromHex(cells[4].text) == *e.blob) << "BLOB of " << e.blob->size() << " bytes";
    }
}

void expectMdbReader(const QString& path, const std::vector<Expected>& expected) {
    const auto dump = mdbReaderDump(path);
    if (!dump) GTEST_SKIP() << "no mdb-reader dump: node or mdb-reader missing";
    const QJsonArray rows = rowsOf(*dump, "Mixed");
    ASSERT_EQ(static_cast<std::size_t>(rows.size()), expected.size());
    EXPECT_EQ(dump->value("Mixed").toObject().value("rowCount").toInt(), rows.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const QJsonObject row = rows[static_cast<qsizetype>(i)].toObject();
        const Expected& e = expected[i];
        EXPECT_EQ(row.value("T").isNull(), !e.text);
        if (e.text) EXPECT_EQ(row.value("T").toString().toStdString(), *e.text);
        EXPECT_EQ(row.value("N").isNull(), !e.number);
        if (e.number) EXPECT_EQ(row.value("N").toInt(), *e.number);
        EXPECT_EQ(row.value("F").toBool(), e.flag);
        EXPECT_EQ(row.value("M").isNull(), !e.memo);
        if (e.memo) EXPECT_EQ(row.value("M").toString().toStdString(), *e.memo);
        EXPECT_EQ(row.value("B").isNull(), !e.blob);
        if (e.blob) EXPECT_TRUE(hexBytes(row.value("B")) == *e.blob) << "BLOB of " << e.blob->size() << " bytes";
    }
}

void expectBothReaders(const QString& path, const std::vector<Expected>& expected) {
    expectMdbExport(path, expected);
    expectMdbReader(path, expected);
}

}  // namespace

TEST_F(JetWriterTest, TablesAreListedByName) {
    const Table a{"TestInfo", {{"TestTitle", ColumnType::Text}}, {}};
    const Table b{"Test", {{"Q", ColumnType::Ole}}, {}};
    const QString path = write({a, b});
    EXPECT_EQ(mdbTables(path), QStringList({"TestInfo", "Test"}));
    const ProcessResult schema = runProgram("mdb-schema", {path});
    EXPECT_EQ(schema.exitCode, 0);
    EXPECT_TRUE(schema.out.contains("[TestTitle]\t\t\tText (255)"));
    EXPECT_TRUE(schema.out.contains("[Q]\t\t\tOLE"));
    if (const auto dump = mdbReaderDump(path)) {
        EXPECT_EQ(dump->keys(), QStringList({"Test", "TestInfo"}));
        EXPECT_EQ(dump->value("Test").toObject().value("columns").toArray()[0].toObject().value("type"), "ole");
    }
}

// Sizes chosen around the places where a long value changes its storage: inline in the row,
// one long-value page, a chain of pages.
TEST_F(JetWriterTest, BlobsOfEverySizeReadBackExactly) {
    std::vector<Expected> expected;
    unsigned seed = 1;
    for (std::size_t size : {0u, 1u, 10u, 64u, 65u, 4080u, 4081u, 5000u, 8153u, 300000u})
        expected.push_back({std::nullopt, static_cast<std::int32_t>(size), false, std::nullopt,
                            randomBytes(size, seed++)});
    expectBothReaders(write({tableOf(expected)}), expected);
}

TEST_F(JetWriterTest, CyrillicAndAwkwardTextReadsBack) {
    const std::string longText(255, 'x');
    std::string longMemo;
    for (int i = 0; i < 3000; ++i) longMemo += "Съешь ещё этих мягких булок. ";
    const std::vector<Expected> expected = {
        {"География мира", 1, true, "Москва — столица России", std::nullopt},
        {"Ёжик, \"кавычки\", запятые", -2147483647 - 1, false, "строка 1\r\nстрока 2\nстрока 3", std::nullopt},
        {"", 2147483647, true, "", std::nullopt},
        {longText, 0, false, longMemo, std::nullopt},
        {"日本語", 7, true, "Ελληνικά", std::nullopt},
    };
    expectBothReaders(write({tableOf(expected)}), expected);
}

TEST_F(JetWriterTest, NullCellsOfEveryType) {
    const std::vector<Expected> expected = {
        {std::nullopt, std::nullopt, false, std::nullopt, std::nullopt},
        {"a", 1, true, "m", std::vector<std::uint8_t>{1, 2, 3}},
        {std::nullopt, std::nullopt, false, std::nullopt, std::nullopt},
    };
    const QString path = write({tableOf(expected)});
    expectBothReaders(path, expected);
}

TEST_F(JetWriterTest, ManyRowsSpanManyPages) {
    std::vector<Expected> expected;
    for (int i = 0; i < 10000; ++i)
        expected.push_back({"Строка " + std::to_string(i), i * 7 - 3, i % 3 == 0,
                            i % 100 == 0 ? std::optional<std::string>("память " + std::to_string(i)) : std::nullopt,
                            std::vector<std::uint8_t>(static_cast<std::size_t>(i % 90), static_cast<std::uint8_t>(i))});
    const QString path = write({tableOf(expected)});
    EXPECT_GT(QFile(path).size(), 100 * 4096);
    expectBothReaders(path, expected);
}

TEST_F(JetWriterTest, EmptyTableAndManyTables) {
    std::vector<Table> tables;
    for (int t = 0; t < 60; ++t)
        tables.push_back({"Таблица" + std::to_string(t),
                          {{"N", ColumnType::Long}},
                          {{std::int32_t(t)}, {std::int32_t(t + 1000)}}});
    tables.push_back({"Empty", {{"N", ColumnType::Long}, {"B", ColumnType::Ole}}, {}});
    const QString path = write(tables);
    EXPECT_EQ(mdbTables(path).size(), 61);
    const ExportedTable last = mdbExport(path, "Таблица59");
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[2][0].text, "1059");
    EXPECT_EQ(mdbExport(path, "Empty").size(), 1u);
    if (const auto dump = mdbReaderDump(path)) {
        EXPECT_EQ(dump->size(), 61);
        EXPECT_EQ(rowsOf(*dump, "Таблица59")[1].toObject().value("N").toInt(), 1059);
        EXPECT_TRUE(rowsOf(*dump, "Empty").isEmpty());
    }
}

// Fixtures for the reader's tests: any set of columns, including the wrong types for a name.
TEST_F(JetWriterTest, ArbitraryColumnSetsForFaultyFixtures) {
    const Table info{"TestInfo",
                     {{"TestTitle", ColumnType::Long}, {"AllowReturn", ColumnType::Text}, {"X", ColumnType::Memo}},
                     {{std::int32_t(5), std::string("да"), std::string("memo")}}};
    const QString path = write({info});
    const ExportedTable rows = mdbExport(path, "TestInfo");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].text, "TestTitle");
    EXPECT_EQ(rows[1][0].text, "5");
    EXPECT_EQ(rows[1][1].text, "да");
}

TEST_F(JetWriterTest, UnwritableDataIsRefusedWithoutAFile) {
    struct Case {
        const char* what;
        Table table;
    };
    const std::vector<Case> cases = {
        {"value of the wrong type", {"T", {{"N", ColumnType::Long}}, {{std::string("text")}}}},
        {"text longer than 255 characters", {"T", {{"S", ColumnType::Text}}, {{std::string(256, 'a')}}}},
        {"too few values in a row", {"T", {{"N", ColumnType::Long}, {"M", ColumnType::Long}}, {{std::int32_t(1)}}}},
        {"no columns", {"T", {}, {}}},
        {"nameless table", {"", {{"N", ColumnType::Long}}, {}}},
        {"row larger than a page",
         {"T", std::vector<Column>(20, Column{"S", ColumnType::Text}),
          {std::vector<Value>(20, Value(std::string(250, 'z')))}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = pathFor("refused.mdb");
        EXPECT_THROW(writeDatabase(path.toStdString(), {c.table}), std::runtime_error);
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST_F(JetWriterTest, UnwritablePathIsAnError) {
    const Table table{"T", {{"N", ColumnType::Long}}, {}};
    EXPECT_THROW(writeDatabase(pathFor("no/such/folder/db.mdb").toStdString(), {table}), std::runtime_error);
}

TEST_F(JetWriterTest, TablesOfUnusualShape) {
    const Table flags{"Flags", {{"Да", ColumnType::Boolean}, {"Нет", ColumnType::Boolean}}, {{true, false}, {false, true}}};
    const Table memo{"Memo", {{"Текст", ColumnType::Memo}}, {{std::string("один")}, {Value()}}};
    Table wide{"Wide", {}, {{}}};
    for (int i = 0; i < 255; ++i) {
        wide.columns.push_back({"Столбец" + std::to_string(i), i % 2 ? ColumnType::Long : ColumnType::Text});
        wide.rows[0].push_back(i % 2 ? Value(std::int32_t(i)) : Value(std::to_string(i)));
    }
    const QString path = write({flags, memo, wide});

    const ExportedTable f = mdbExport(path, "Flags");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0][0].text, "Да");
    EXPECT_EQ(f[1][0].text + f[1][1].text + f[2][0].text + f[2][1].text, "1001");
    const ExportedTable m = mdbExport(path, "Memo");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[1][0].text, "один");
    EXPECT_TRUE(m[2][0].isNull);
    const ExportedTable w = mdbExport(path, "Wide");
    ASSERT_EQ(w.size(), 2u);
    ASSERT_EQ(w[1].size(), 255u);
    EXPECT_EQ(w[0][254].text, "Столбец254");
    for (std::size_t i = 0; i < 255; ++i) EXPECT_EQ(w[1][i].text, std::to_string(i));

    const auto dump = mdbReaderDump(path);
    if (!dump) GTEST_SKIP() << "no mdb-reader dump: node or mdb-reader missing";
    EXPECT_EQ(rowsOf(*dump, "Flags")[1].toObject().value("Нет").toBool(), true);
    EXPECT_EQ(rowsOf(*dump, "Memo")[0].toObject().value("Текст").toString(), "один");
    EXPECT_TRUE(rowsOf(*dump, "Memo")[1].toObject().value("Текст").isNull());
    const QJsonObject wideRow = rowsOf(*dump, "Wide")[0].toObject();
    ASSERT_EQ(wideRow.size(), 255);
    for (int i = 0; i < 255; ++i) {
        const QJsonValue value = wideRow.value(QString("Столбец%1").arg(i));
        EXPECT_EQ(i % 2 ? QString::number(value.toInt()) : value.toString(), QString::number(i));
    }

    Table tooWide{"TooWide", std::vector<Column>(256, Column{"N", ColumnType::Long}), {}};
    EXPECT_THROW(writeDatabase(pathFor("wide.mdb").toStdString(), {tooWide}), std::runtime_error);
}
