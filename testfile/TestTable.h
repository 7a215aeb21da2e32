#pragma once
// TestTable: the one table object of the process. One test file is open at a time, and on it one
// whole table by name; rows are 1-based; values are read by the reading rule of test files:
// NULL reads as empty text, 0 or false, a missing column or an unconvertible value is an error.
#include "JetDatabase.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

class TestTable {
public:
    void setConnection(const QString& path);   // closes the file open under another path
    void open(const std::string& tableName);  // opens the file too, when it is not open yet
    void closeTable();                        // the file stays open for the next table
    void close();                             // the table and the file
    bool isOpen() const { return table_ != nullptr; }
    const std::string& tableName() const { return tableName_; }

    void moveFirst();  // on an empty table there is no current row: every value reads as NULL
    void moveTo(std::int32_t row);
    std::int32_t rowCount() const;

    std::string textValue(const std::string& column);  // code page 1251
    std::int32_t int32Value(const std::string& column);
    bool booleanValue(const std::string& column);
    QByteArray blobValue(const std::string& column);   // a NULL gives no bytes

private:
    JetCell cell(const std::string& column);

    QString path_;
    std::unique_ptr<JetDatabase> database_;
    std::unique_ptr<JetTable> table_;
    std::string tableName_;
};

TestTable& TheTestTable();
