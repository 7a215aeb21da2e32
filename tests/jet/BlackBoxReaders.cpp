#include "BlackBoxReaders.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <zlib.h>

#include <stdexcept>

ProcessResult runProgram(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted(timeoutMs)) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish";
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QStringList mdbTables(const QString& path) {
    const ProcessResult result = runProgram("mdb-tables", {"-1", path});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts);
}

namespace {

// CSV as mdb-export writes it: quotes doubled inside quoted cells, which may span lines.
ExportedTable parseCsv(const QByteArray& csv) {
    ExportedTable rows;
    std::vector<ExportedCell> row;
    ExportedCell cell;
    bool inQuotes = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                cell.text += '"';
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                cell.text += c;
            }
        } else if (c == '"') {
            inQuotes = true;
            cell.isNull = false;
        } else if (c == ',' || c == '\n') {
            row.push_back(cell);
            cell = {};
            if (c == '\n') {
                rows.push_back(row);
                row.clear();
            }
        } else {
            cell.text += c;
            cell.isNull = false;
        }
    }
    if (!row.empty() || !cell.isNull) {
        row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

ExportedTable mdbExport(const QString& path, const QString& table) {
    const ProcessResult result = runProgram("mdb-export", {"-b", "hex", path, table});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    return parseCsv(result.out);
}

std::optional<QJsonObject> mdbReaderDump(const QString& path) {
    if (QStandardPaths::findExecutable("node").isEmpty()) return std::nullopt;
    const QString folder = QStringLiteral(QUIZZARD_SOURCE_DIR) + "/tests/mdbreader";
    if (!QDir(folder + "/node_modules/mdb-reader").exists()) {
        ADD_FAILURE() << "mdb-reader is not installed: run npm install in " << folder.toStdString();
        return std::nullopt;
    }
    const ProcessResult result = runProgram("node", {folder + "/dump.js", path});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(result.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return json.object();
}

std::string toHex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 0xF];
    }
    return hex;
}

std::vector<std::uint8_t> fromHex(const std::string& hex) {
    const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(hex));
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> inflateWhole(const std::vector<std::uint8_t>& packed) {
    std::vector<std::uint8_t> out(std::max<std::size_t>(packed.size() * 8, 1 << 16));
    for (;;) {
        uLongf size = out.size();
        const int status = uncompress(out.data(), &size, packed.data(), static_cast<uLong>(packed.size()));
        if (status == Z_OK) {
            out.resize(size);
            return out;
        }
        if (status != Z_BUF_ERROR) throw std::runtime_error("not a zlib stream");
        out.resize(out.size() * 4);
    }
}
