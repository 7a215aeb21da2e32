#pragma once
// Test files written at run time with our Jet writer: tables shaped freely, so that a test can
// leave out a column, change a type or store a BLOB that is not what it should be.
#include "JetWriter.h"

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Blob = std::vector<std::uint8_t>;

Blob bytesOf(const std::string& text);
Blob packed(const std::string& document);  // one zlib stream
Blob rawDeflate(const std::string& document);

// A TestInfo table with one row; a column whose value is nullopt is left out of the table.
struct InfoRow {
    std::optional<jet::Value> title = std::string("Физика");
    std::optional<jet::Value> questionCount = std::int32_t{10};
    std::optional<jet::Value> minutes = std::int32_t{20};
    std::optional<jet::Value> balls = std::int32_t{10};
    std::optional<jet::Value> allowReturn = false;
    std::optional<jet::Value> resultHere = true;
};
jet::Table infoTable(const InfoRow& row);

// A Test table; each row is Q, A1..A5 as stored.
jet::Table questionTable(const std::vector<std::vector<jet::Value>>& rows);
std::vector<jet::Value> packedRow(const std::string& question, const std::vector<std::string>& answers);
jet::Table questionTable(int rowCount);  // rows of small packed documents naming their row

class FixtureDir {
public:
    QString path(const QString& fileName) const { return dir_.filePath(fileName); }
    QString write(const QString& fileName, const std::vector<jet::Table>& tables) const;
    QString writeBytes(const QString& fileName, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};
