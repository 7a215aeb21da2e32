#include "TestTable.h"

#include "Cp1251.h"
#include "JetText.h"
#include "LittleEndian.h"
#include "TestFile.h"

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void fail(const std::string& what) { throw TestFileError(what); }

const std::uint8_t* bytesOf(const JetCell& cell) {
    return reinterpret_cast<const std::uint8_t*>(cell.bytes.constData());
}

void requireSize(const JetCell& cell, qsizetype size) {
    if (cell.bytes.size() != size) fail("stored value of the wrong size");
}

std::int64_t integerOf(const JetCell& cell) {
    switch (cell.type) {
    case JetType::Boolean: requireSize(cell, 1); return cell.bytes[0] ? -1 : 0;
    case JetType::Byte: requireSize(cell, 1); return bytesOf(cell)[0];
    case JetType::Integer: requireSize(cell, 2); return static_cast<std::int16_t>(bytesOf(cell)[0] | (bytesOf(cell)[1] << 8));
    case JetType::Long: requireSize(cell, 4); return getI32(bytesOf(cell));
    default: fail("not an integer");
    }
}

bool isIntegral(JetType type) {
    return type == JetType::Boolean || type == JetType::Byte || type == JetType::Integer || type == JetType::Long;
}

double floatingOf(const JetCell& cell) {
    if (cell.type == JetType::Float) {
        requireSize(cell, 4);
        return getF32(bytesOf(cell));
    }
    requireSize(cell, 8);
    return getF64(bytesOf(cell));
}

QString textOf(const JetCell& cell) {
    switch (cell.type) {
    case JetType::Text:
    case JetType::Memo: return decodeJetText(cell.bytes);
    case JetType::Boolean: return integerOf(cell) ? QStringLiteral("True") : QStringLiteral("False");
    case JetType::Byte:
    case JetType::Integer:
    case JetType::Long: return QString::number(integerOf(cell));
    case JetType::Float:
    case JetType::Double: return QString::number(floatingOf(cell), 'g', 15);
    default: fail("not convertible to text");
    }
}

std::int32_t toInt32(double value) {
    if (!std::isfinite(value)) fail("not an integer");
    const double rounded = std::nearbyint(value);  // round half to even, as the conversion of numbers does
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        fail("integer out of range");
    return static_cast<std::int32_t>(rounded);
}

std::int32_t int32OfText(const QString& text) {
    bool ok = false;
    const std::int32_t value = text.trimmed().toInt(&ok);
    if (!ok) fail("text is not an integer");
    return value;
}

}  // namespace

TestTable& TheTestTable() {
    static TestTable table;
    return table;
}

void TestTable::open(const std::string& tableName) {
    table_.reset();
    if (!database_) database_ = std::make_unique<JetDatabase>(path_);
    table_ = database_->openTable(tableName);
    tableName_ = tableName;
}

void TestTable::setConnection(const QString& path) {
    if (path != path_) close();
    path_ = path;
}

void TestTable::closeTable() {
    table_.reset();
    tableName_.clear();
}

void TestTable::close() {
    table_.reset();
    database_.reset();
    tableName_.clear();
}

void TestTable::moveFirst() {
    if (!table_) fail("table not open");
    if (table_->rowCount() > 0) table_->moveTo(1);
}

void TestTable::moveTo(std::int32_t row) {
    if (!table_) fail("table not open");
    table_->moveTo(row);
}

std::int32_t TestTable::rowCount() const {
    if (!table_) fail("table not open");
    return table_->rowCount();
}

JetCell TestTable::cell(const std::string& column) {
    if (!table_) fail("table not open");
    const int index = table_->columnIndex(column);
    if (index < 0) fail("no column " + column);
    if (!table_->hasCurrentRow()) return JetCell{};
    return table_->cell(index);
}

std::string TestTable::textValue(const std::string& column) {
    const JetCell value = cell(column);
    return value.isNull ? std::string() : toCp1251(textOf(value));
}

std::int32_t TestTable::int32Value(const std::string& column) {
    const JetCell value = cell(column);
    if (value.isNull) return 0;
    if (isIntegral(value.type)) return static_cast<std::int32_t>(integerOf(value));
    if (value.type == JetType::Float || value.type == JetType::Double) return toInt32(floatingOf(value));
    if (value.type == JetType::Text || value.type == JetType::Memo) return int32OfText(textOf(value));
    fail("not convertible to an integer");
}

bool TestTable::booleanValue(const std::string& column) {
    const JetCell value = cell(column);
    if (value.isNull) return false;
    if (isIntegral(value.type)) return integerOf(value) != 0;
    if (value.type == JetType::Float || value.type == JetType::Double) return floatingOf(value) != 0;
    if (value.type == JetType::Text || value.type == JetType::Memo) {
        const QString text = textOf(value).trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
        return int32OfText(text) != 0;
    }
    fail("not convertible to a Boolean");
}

QByteArray TestTable::blobValue(const std::string& column) {
    const JetCell value = cell(column);
    if (value.type != JetType::Ole && value.type != JetType::Binary) fail("not a binary column: " + column);
    return value.isNull ? QByteArray() : value.bytes;
}
