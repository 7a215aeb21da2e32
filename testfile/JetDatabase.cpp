#include "JetDatabase.h"

#include "JetText.h"
#include "LittleEndian.h"
#include "ReadAt.h"
#include "TestFile.h"

#include <mdbtools.h>

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

constexpr std::uint32_t PageSize = 4096;
constexpr std::uint32_t CatalogPage = 2;
constexpr unsigned char DataPageType = 0x01;
constexpr unsigned char TableDefinitionPageType = 0x02;
constexpr int RowCountOffset = 12;
constexpr int RowOffsetsStart = 14;
constexpr std::uint16_t RowOffsetMask = 0x1FFF;
constexpr std::uint16_t DeletedRowFlag = 0x4000;
constexpr int MostRowsPerPage = (PageSize - RowOffsetsStart) / 2;
constexpr int LastRowLibmdbFinds = 1000;  // mdb_find_row refuses row numbers above it
// The first read of a data page takes its header and the row tables of most pages in one call.
constexpr qint64 RowTableReadBytes = 512;
constexpr qsizetype LongValueHeaderSize = 12;
constexpr std::uint32_t LongValueInline = 0x80000000u;
constexpr std::uint32_t LongValueSinglePage = 0x40000000u;
constexpr std::uint32_t LongValueLengthMask = 0x3FFFFFFFu;
constexpr std::int32_t CatalogTableType = 1;
constexpr std::uint32_t CatalogIdPageMask = 0x00FFFFFFu;

// Header of page 0: the Jet magic, the engine name and the version byte (1 for Jet 4).
constexpr char JetMagic[] = {'\x00', '\x01', '\x00', '\x00', 'S', 't', 'a', 'n', 'd', 'a',
                             'r',    'd',    ' ',    'J',    'e', 't', ' ', 'D', 'B', '\x00'};
constexpr int VersionOffset = 0x14;
constexpr char Jet4Version = 0x01;

[[noreturn]] void fail(const std::string& what) { throw TestFileError(what); }

const std::uint8_t* bytesAt(const QByteArray& bytes, qsizetype at) {
    return reinterpret_cast<const std::uint8_t*>(bytes.constData()) + at;
}
std::uint16_t le16(const QByteArray& bytes, qsizetype at) {
    const std::uint8_t* p = bytesAt(bytes, at);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t le32(const QByteArray& bytes, qsizetype at) { return getU32(bytesAt(bytes, at)); }

JetType typeOf(int mdbType) {
    switch (mdbType) {
    case MDB_BOOL: return JetType::Boolean;
    case MDB_BYTE: return JetType::Byte;
    case MDB_INT: return JetType::Integer;
    case MDB_LONGINT: return JetType::Long;
    case MDB_FLOAT: return JetType::Float;
    case MDB_DOUBLE: return JetType::Double;
    case MDB_TEXT: return JetType::Text;
    case MDB_MEMO: return JetType::Memo;
    case MDB_BINARY: return JetType::Binary;
    case MDB_OLE: return JetType::Ole;
    default: return JetType::Other;
    }
}

bool isLongValue(JetType type) { return type == JetType::Memo || type == JetType::Ole; }

// The bytes of one row of a data page, checked against the page's own row table.
QByteArray rowOfPage(const QByteArray& page, int row) {
    if (static_cast<unsigned char>(page[0]) != DataPageType) fail("long value outside a data page");
    const int rows = le16(page, RowCountOffset);
    if (row >= rows || RowOffsetsStart + 2 * rows > static_cast<int>(PageSize)) fail("long value row missing");
    const int start = le16(page, RowOffsetsStart + 2 * row) & RowOffsetMask;
    const int end = row == 0 ? static_cast<int>(PageSize)
                             : le16(page, RowOffsetsStart + 2 * (row - 1)) & RowOffsetMask;
    if (start < RowOffsetsStart + 2 * rows || start >= end || end > static_cast<int>(PageSize))
        fail("long value row out of its page");
    return page.mid(start, end - start);
}

}  // namespace

struct JetDatabase::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb) mdb_close(mdb);
    }
};

struct JetTable::Definition {
    MdbCatalogEntry entry{};
    MdbTableDef* table = nullptr;
    ~Definition() {
        if (table) mdb_free_tabledef(table);
    }
    MdbColumn* column(int index) const {
        return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, static_cast<guint>(index)));
    }
};

JetDatabase::JetDatabase(const QString& path) : file_(path), handle_(std::make_unique<Handle>()) {
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        fail("cannot open the file: " + file_.errorString().toStdString());
    const qint64 size = file_.size();
    if (size < qint64{PageSize} * (CatalogPage + 1) || size % PageSize != 0 ||
        size / PageSize > qint64{CatalogIdPageMask})
        fail("not a whole Jet 4 database");
    pageCount_ = static_cast<std::uint32_t>(size / PageSize);
    const QByteArray header = readPageBytes(0, 0, VersionOffset + 1);
    if (std::memcmp(header.constData(), JetMagic, sizeof JetMagic) != 0 || header[VersionOffset] != Jet4Version)
        fail("not a Jet 4 database");
    if (!isTableDefinition(CatalogPage)) fail("no catalogue");
    handle_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle_->mdb || handle_->mdb->f->jet_version != MDB_VER_JET4) fail("libmdb cannot open the file");
}

JetDatabase::~JetDatabase() = default;

QByteArray JetDatabase::readPage(std::uint32_t page) { return readPageBytes(page, 0, PageSize); }

QByteArray JetDatabase::readPageBytes(std::uint32_t page, qint64 offset, qint64 bytes) {
    if (page >= pageCount_) fail("page outside the file");
    QByteArray read(bytes, Qt::Uninitialized);
    if (readAt(file_, qint64{page} * PageSize + offset, read.data(), bytes) != bytes) fail("cannot read the file");
    return read;
}

bool JetDatabase::isTableDefinition(std::uint32_t page) {
    return page != 0 && page < pageCount_ &&
           static_cast<unsigned char>(readPageBytes(page, 0, 1)[0]) == TableDefinitionPageType;
}

// Memo and OLE values: kept in the row, in one LVAL row, or in a chain of LVAL rows whose
// first four bytes point to the next. The chain is walked at most once per row it visits.
QByteArray JetDatabase::readLongValue(const QByteArray& field, qsizetype inlineBytes) {
    if (inlineBytes < LongValueHeaderSize) fail("long value header cut short");
    const std::uint32_t head = le32(field, 0);
    const std::uint32_t length = head & LongValueLengthMask;
    if (length == 0) return {};
    if (length > qint64{pageCount_} * PageSize) fail("long value larger than the file");
    if (head & LongValueInline) {
        if (head & LongValueSinglePage) fail("long value of unknown kind");
        if (inlineBytes - LongValueHeaderSize < static_cast<qsizetype>(length)) fail("long value cut short");
        return field.mid(LongValueHeaderSize, length);
    }
    std::uint32_t pointer = le32(field, 4);
    auto rowAt = [this](std::uint32_t at) { return rowOfPage(readPage(at >> 8), static_cast<int>(at & 0xFF)); };
    if (head & LongValueSinglePage) {
        const QByteArray data = rowAt(pointer);
        if (data.size() < static_cast<qsizetype>(length)) fail("long value cut short");
        return data.left(length);
    }
    QByteArray value;
    std::unordered_set<std::uint32_t> visited;
    while (value.size() < static_cast<qsizetype>(length)) {
        if (pointer == 0 || !visited.insert(pointer).second) fail("long value chain broken");
        const QByteArray data = rowAt(pointer);
        if (data.size() <= 4) fail("long value chain broken");
        pointer = le32(data, 0);
        value.append(data.constData() + 4, data.size() - 4);
    }
    value.truncate(length);
    return value;
}

// The catalogue is read for the names, types and pages of the objects only: libmdb's own
// catalogue reader also follows every object's property chain, which a damaged file can loop.
// It is read once per file, as every table of the file is found through it.
void JetDatabase::readUserTables() {
    std::unique_ptr<JetTable> catalog(new JetTable(*this, CatalogPage, "MSysObjects"));
    const int idColumn = catalog->columnIndex("Id");
    const int nameColumn = catalog->columnIndex("Name");
    const int typeColumn = catalog->columnIndex("Type");
    if (idColumn < 0 || nameColumn < 0 || typeColumn < 0) fail("catalogue without its columns");
    for (std::int32_t row = 1; row <= catalog->rowCount(); ++row) {
        catalog->moveTo(row);
        const JetCell type = catalog->cell(typeColumn);
        const JetCell id = catalog->cell(idColumn);
        const JetCell objectName = catalog->cell(nameColumn);
        if (type.isNull || type.type != JetType::Integer || type.bytes.size() != 2) continue;
        if (static_cast<std::int16_t>(le16(type.bytes, 0)) != CatalogTableType) continue;
        if (id.isNull || id.type != JetType::Long || id.bytes.size() != 4) continue;
        if (objectName.type != JetType::Text) continue;
        userTables_.push_back({decodeJetText(objectName.bytes), le32(id.bytes, 0) & CatalogIdPageMask});
    }
    userTablesRead_ = true;
}

std::unique_ptr<JetTable> JetDatabase::openTable(const std::string& name) {
    if (!userTablesRead_) readUserTables();
    const QString wanted = QString::fromStdString(name);
    for (const UserTable& table : userTables_) {
        if (table.name.compare(wanted, Qt::CaseInsensitive) != 0) continue;
        if (!isTableDefinition(table.definitionPage)) fail("table " + name + ": its definition is not in the file");
        return std::unique_ptr<JetTable>(new JetTable(*this, table.definitionPage, name));
    }
    fail("no table " + name);
}

namespace {

// libmdb walks the pages of a table through its usage map without checking the map's size.
void requireUsableUsageMap(const MdbTableDef& table) {
    if (!table.usage_map || table.map_sz < 1) fail("table without a usage map");
    const unsigned char mapType = table.usage_map[0];
    if (mapType == 0 && table.map_sz < 5) fail("usage map cut short");
    if (mapType > 1) fail("usage map of unknown kind");
}

int le16At(const unsigned char* page, int at) { return page[at] | (page[at + 1] << 8); }

}  // namespace

// The row layout libmdb relies on when it splits a row into values: the column count at the
// start; at the end the null mask, the count of variable columns and their offsets, which must
// lie inside the row and in order. libmdb reads all of them without checking.
void JetTable::requireWellFormedRow(const Definition& definition, const unsigned char* page, int start, int size) {
    const MdbTableDef& table = *definition.table;
    if (start < RowOffsetsStart || size < 2 || start + size > static_cast<int>(PageSize)) fail("row outside its page");
    const int rowColumns = le16At(page, start);
    const int maskSize = (rowColumns + 7) / 8;
    if (rowColumns < 1 || rowColumns > MDB_MAX_COLS || size < 2 + maskSize) fail("row with a bad column count");
    int dataEnd = size - maskSize;
    int variableCount = 0;
    if (table.num_var_cols > 0) {
        if (dataEnd < 4) fail("row without its variable columns");
        variableCount = le16At(page, start + dataEnd - 2);
        if (variableCount > rowColumns) fail("row with a bad variable column count");
        dataEnd -= 2 + 2 * (variableCount + 1);
        if (dataEnd < 2) fail("row without room for its offsets");
        int previous = 2;
        for (int i = 0; i <= variableCount; ++i) {
            const int offset = le16At(page, start + size - maskSize - 4 - 2 * i);
            if (offset < previous || offset > dataEnd) fail("row with variable columns out of place");
            previous = offset;
        }
    }
    for (unsigned i = 0; i < table.num_cols; ++i) {
        const MdbColumn& column = *definition.column(static_cast<int>(i));
        if (column.row_col_num < 0 || column.row_col_num / 8 >= maskSize) fail("column outside the row's null mask");
        const bool storedInRow = column.is_fixed && column.col_type != MDB_BOOL && column.row_col_num < rowColumns;
        if (storedInRow && (column.fixed_offset < 0 || column.col_size < 0 ||
                            2 + column.fixed_offset + column.col_size > dataEnd))
            fail("fixed column outside its row");
    }
}

JetTable::JetTable(JetDatabase& database, std::uint32_t definitionPage, const std::string& name)
    : database_(database), name_(name), definition_(std::make_unique<Definition>()) {
    MdbCatalogEntry& entry = definition_->entry;
    entry.mdb = database.handle_->mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = definitionPage;
    std::strncpy(entry.object_name, name.c_str(), MDB_MAX_OBJ_NAME);
    definition_->table = mdb_read_table(&entry);
    if (!definition_->table) fail("table definition unreadable");
    requireUsableUsageMap(*definition_->table);
    if (!mdb_read_columns(definition_->table) || definition_->table->num_cols == 0) fail("table without columns");
    indexRows(definitionPage);
}

JetTable::~JetTable() = default;

// Row numbers are positions in the order a whole-table scan yields the rows: the table's data
// pages in usage-map order, on each page its live rows in row-table order. Only page headers and
// row tables are read, each once. libmdb's own scan skips rows it cannot place, so a damaged page
// or row table would lose questions without a word: the rows found must be as many as the table
// definition records.
void JetTable::indexRows(std::uint32_t definitionPage) {
    MdbHandle* mdb = database_.handle_->mdb;
    MdbTableDef* table = definition_->table;
    gint32 previous = 0;
    while (const gint32 page = mdb_map_find_next(mdb, table->usage_map, table->map_sz, static_cast<guint32>(previous))) {
        if (page < 0) fail("usage map unreadable");
        if (page <= previous) fail("usage map out of order");  // so the walk always ends
        if (static_cast<std::uint32_t>(page) >= database_.pageCount_) break;
        indexRowsOfPage(static_cast<std::uint32_t>(page), definitionPage);
        previous = page;
    }
    if (rows_.size() != table->num_rows)
        fail("table " + name_ + ": " + std::to_string(rows_.size()) + " rows found where its definition records " +
             std::to_string(table->num_rows));
}

// A live row is one not marked deleted whose place in the row table is inside the page, after
// the row table, and before the row stored above it.
void JetTable::indexRowsOfPage(std::uint32_t page, std::uint32_t definitionPage) {
    QByteArray head = database_.readPageBytes(page, 0, RowTableReadBytes);
    if (static_cast<unsigned char>(head[0]) != DataPageType || le32(head, 4) != definitionPage) return;
    const int rows = le16(head, RowCountOffset);
    if (rows > MostRowsPerPage) fail("data page with more rows than it can hold");
    const int rowTableEnd = RowOffsetsStart + 2 * rows;
    if (rowTableEnd > head.size()) head += database_.readPageBytes(page, head.size(), rowTableEnd - head.size());
    int end = static_cast<int>(PageSize);
    for (int row = 0; row < rows; ++row) {
        const int entry = le16(head, RowOffsetsStart + 2 * row);
        const int start = entry & RowOffsetMask;
        const bool live = !(entry & DeletedRowFlag) && row <= LastRowLibmdbFinds && start >= rowTableEnd && start < end;
        if (live) rows_.push_back({page, row});
        end = start;
    }
}

int JetTable::columnIndex(const std::string& name) const {
    const QString wanted = QString::fromStdString(name);
    for (unsigned i = 0; i < definition_->table->num_cols; ++i) {
        if (QString::fromUtf8(definition_->column(static_cast<int>(i))->name).compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void JetTable::moveTo(std::int32_t row) {
    if (row < 1 || row > rowCount()) fail("row number out of range");
    currentRow_ = 0;
    const RowLocation& place = rows_[static_cast<std::size_t>(row - 1)];
    MdbHandle* mdb = database_.handle_->mdb;
    MdbTableDef* table = definition_->table;
    if (currentPage_.isEmpty() || place.page != currentPageNumber_) {  // rows of one page share its read
        currentPage_.clear();
        currentPage_ = database_.readPage(place.page);
        currentPageNumber_ = place.page;
    }
    std::memcpy(mdb->pg_buf, currentPage_.constData(), PageSize);
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb, place.index, &start, &size) != 0) fail("row outside its page");
    requireWellFormedRow(*definition_, mdb->pg_buf, start & RowOffsetMask, static_cast<int>(size));
    std::vector<MdbField> cracked(table->num_cols);
    if (mdb_crack_row(table, start & RowOffsetMask, size, cracked.data()) <= 0) fail("row unreadable");
    fields_.clear();
    for (const MdbField& field : cracked) {
        const auto at = static_cast<const unsigned char*>(field.value) - mdb->pg_buf;
        const bool inPage = field.value && at >= 0 && field.siz >= 0 && at + field.siz <= qsizetype{PageSize};
        if (!field.is_null && !inPage) fail("value outside its page");
        fields_.push_back({field.is_null != 0, inPage ? static_cast<int>(at) : 0, inPage ? field.siz : 0});
    }
    currentRow_ = row;
}

JetCell JetTable::cell(int column) {
    if (column < 0 || column >= static_cast<int>(fields_.size())) fail("no such column");
    JetCell cell;
    cell.type = typeOf(definition_->column(column)->col_type);
    const FieldPlace& field = fields_[static_cast<std::size_t>(column)];
    if (cell.type == JetType::Boolean) {  // a Yes/No value lives in the row's null mask
        cell.isNull = false;
        cell.bytes = QByteArray(1, field.isNull ? '\0' : '\1');
        return cell;
    }
    cell.isNull = field.isNull;
    if (cell.isNull) return cell;
    cell.bytes = currentPage_.mid(field.start, field.size);
    if (isLongValue(cell.type)) cell.bytes = database_.readLongValue(cell.bytes, cell.bytes.size());
    return cell;
}
