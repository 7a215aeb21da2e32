#pragma once
// Runs the two independent Jet readers on a file: mdbtools' programs and the npm mdb-reader.
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// One CSV cell of mdb-export: NULL is an empty unquoted cell, text is always quoted.
struct ExportedCell {
    bool isNull = true;
    std::string text;  // UTF-8; binary columns in hex
};
using ExportedTable = std::vector<std::vector<ExportedCell>>;  // header row first

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
ProcessResult runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 120000);

QStringList mdbTables(const QString& path);
ExportedTable mdbExport(const QString& path, const QString& table);

// Tables of the file as dumped by tests/mdbreader/dump.js; nullopt when node is not installed,
// and also when node exists but mdb-reader has not been installed, which fails the calling test.
std::optional<QJsonObject> mdbReaderDump(const QString& path);

std::string toHex(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> inflateWhole(const std::vector<std::uint8_t>& packed);
std::vector<std::uint8_t> fromHex(const std::string& hex);
