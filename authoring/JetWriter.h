#pragma once
// A small writer of Jet 4.0 (Access 2000) database files: enough for test files and fixtures.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace jet {

enum class ColumnType { Boolean, Long, Text, Memo, Ole };

struct Column {
    std::string name;
    ColumnType type;
};

// NULL, Yes/No, 32-bit integer, text (UTF-8), or binary (OLE / long binary).
using Value = std::variant<std::monostate, bool, std::int32_t, std::string, std::vector<std::uint8_t>>;

struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<std::vector<Value>> rows;
};

// Writes a whole database; throws std::runtime_error on failure.
void writeDatabase(const std::string& path, const std::vector<Table>& tables);

}  // namespace jet
