#pragma once
// A Jet 4 database read through libmdb. libmdb walks the table structures; we check the file
// before handing it over and read long values (memo, OLE) ourselves, so that every walk over a
// malformed file is bounded by the file's size.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class JetType { Boolean, Byte, Integer, Long, Float, Double, Text, Memo, Binary, Ole, Other };

// One value of the current row: its stored bytes, long values already gathered from their pages.
struct JetCell {
    JetType type = JetType::Other;
    bool isNull = true;
    QByteArray bytes;
};

class JetTable;

class JetDatabase {
public:
    explicit JetDatabase(const QString& path);  // throws TestFileError
    ~JetDatabase();
    JetDatabase(const JetDatabase&) = delete;
    JetDatabase& operator=(const JetDatabase&) = delete;

    // A user table by name (case-insensitive), read whole; throws TestFileError when missing.
    std::unique_ptr<JetTable> openTable(const std::string& name);

private:
    friend class JetTable;
    struct Handle;
    struct UserTable {
        QString name;
        std::uint32_t definitionPage;
    };
    void readUserTables();
    QByteArray readPage(std::uint32_t page);  // throws when outside the file
    QByteArray readPageBytes(std::uint32_t page, qint64 offset, qint64 bytes);
    bool isTableDefinition(std::uint32_t page);
    QByteArray readLongValue(const QByteArray& header, qsizetype inlineBytes);

    QFile file_;
    std::uint32_t pageCount_ = 0;
    std::unique_ptr<Handle> handle_;
    std::vector<UserTable> userTables_;
    bool userTablesRead_ = false;
};

class JetTable {
public:
    ~JetTable();
    JetTable(const JetTable&) = delete;
    JetTable& operator=(const JetTable&) = delete;

    std::int32_t rowCount() const { return static_cast<std::int32_t>(rows_.size()); }
    int columnIndex(const std::string& name) const;  // -1 when there is no such column
    void moveTo(std::int32_t row);                    // 1-based; throws outside 1..rowCount
    bool hasCurrentRow() const { return currentRow_ > 0; }
    JetCell cell(int column);                          // of the current row

private:
    friend class JetDatabase;
    struct Definition;
    struct RowLocation {
        std::uint32_t page;
        int index;
    };
    struct FieldPlace {
        bool isNull;
        int start;
        int size;
    };
    JetTable(JetDatabase& database, std::uint32_t definitionPage, const std::string& name);
    void indexRows(std::uint32_t definitionPage);
    void indexRowsOfPage(std::uint32_t page, std::uint32_t definitionPage);
    static void requireWellFormedRow(const Definition& definition, const unsigned char* page, int start, int size);

    JetDatabase& database_;
    std::string name_;
    std::unique_ptr<Definition> definition_;
    std::vector<RowLocation> rows_;
    std::int32_t currentRow_ = 0;
    QByteArray currentPage_;
    std::uint32_t currentPageNumber_ = 0;
    std::vector<FieldPlace> fields_;
};
