#include "JetWriter.h"

#include "LittleEndian.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <variant>

namespace jet {
namespace {

constexpr std::size_t kPageSize = 4096;
using Bytes = std::vector<std::uint8_t>;
using Page = std::array<std::uint8_t, kPageSize>;

// Data pages: type, a constant, free space, owner, 4 unknown bytes, row count, then row offsets.
constexpr std::size_t kDataPageHeader = 14;
constexpr std::size_t kRowOffsetSize = 2;
constexpr std::size_t kMaxRowSize = kPageSize - kDataPageHeader - kRowOffsetSize;
// Row pointers keep the row number in one byte.
constexpr std::size_t kMaxRowsPerPage = 255;
constexpr std::size_t kMaxColumns = 255;

// Long values up to this size stay inside the row; larger ones go to LVAL pages.
constexpr std::size_t kInlineLongValueLimit = 64;
constexpr std::size_t kLongValueHeader = 12;
constexpr std::uint32_t kLongValueInline = 0x80000000u;
constexpr std::uint32_t kLongValueSinglePage = 0x40000000u;
constexpr std::size_t kChainLinkSize = 4;

constexpr std::uint32_t kCatalogPage = 2;
constexpr std::uint32_t kMapPage = 1;
constexpr std::int32_t kTablesContainerId = 0x0F000001;
constexpr std::int32_t kDatabasesContainerId = 0x0F000000;
constexpr std::int32_t kSystemTableFlags = static_cast<std::int32_t>(0x80000002u);
constexpr std::uint16_t kGeneralSortOrder = 0x0409;

void putU16(std::uint8_t* at, std::uint16_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t rowPointer(std::uint32_t page, std::size_t row) {
    return (page << 8) | static_cast<std::uint32_t>(row);
}

// Column type codes of the file and the in-row size of the fixed ones.
enum class Kind : std::uint8_t {
    Boolean = 0x01,
    Integer = 0x03,
    Long = 0x04,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

bool isFixed(Kind kind) {
    return kind == Kind::Boolean || kind == Kind::Integer || kind == Kind::Long ||
           kind == Kind::DateTime;
}

std::uint16_t fixedSize(Kind kind) {
    switch (kind) {
    case Kind::Integer: return 2;
    case Kind::Long: return 4;
    case Kind::DateTime: return 8;
    default: return 0;  // Yes/No lives in the null mask
    }
}

std::uint16_t declaredLength(Kind kind) {
    if (isFixed(kind)) return fixedSize(kind);
    if (kind == Kind::Text) return 510;  // 255 UCS-2 characters
    if (kind == Kind::Binary) return 255;
    return 0;
}

Kind kindOf(ColumnType type) {
    switch (type) {
    case ColumnType::Boolean: return Kind::Boolean;
    case ColumnType::Long: return Kind::Long;
    case ColumnType::Text: return Kind::Text;
    case ColumnType::Memo: return Kind::Memo;
    case ColumnType::Ole: return Kind::Ole;
    }
    throw std::runtime_error("unknown column type");
}

// A cell: the public values plus the date values of the catalogue.
using Cell = std::variant<std::monostate, bool, std::int32_t, std::string, Bytes, double>;

Cell toCell(const Value& value) {
    return std::visit([](const auto& v) -> Cell { return v; }, value);
}

struct ColumnLayout {
    std::string name;
    Kind kind;
    std::uint16_t number;
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
};

struct TableLayout {
    std::string name;
    std::vector<ColumnLayout> columns;
    std::uint16_t varCount = 0;
    std::uint16_t fixedLength = 0;
};

TableLayout layoutOf(const std::string& name, const std::vector<std::pair<std::string, Kind>>& columns) {
    if (columns.empty()) throw std::runtime_error("table " + name + " has no columns");
    TableLayout layout{name, {}, 0, 0};
    for (const auto& [columnName, kind] : columns) {
        ColumnLayout column{columnName, kind, static_cast<std::uint16_t>(layout.columns.size())};
        if (isFixed(kind)) {
            column.fixedOffset = layout.fixedLength;
            layout.fixedLength = static_cast<std::uint16_t>(layout.fixedLength + fixedSize(kind));
        } else {
            column.varIndex = layout.varCount++;
        }
        layout.columns.push_back(column);
    }
    return layout;
}

Bytes ucs2(const std::string& utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    Bytes out;
    out.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (QChar c : text) {
        out.push_back(static_cast<std::uint8_t>(c.unicode()));
        out.push_back(static_cast<std::uint8_t>(c.unicode() >> 8));
    }
    return out;
}

// All pages of the file, numbered from 0.
class PageFile {
public:
    std::uint32_t add() {
        pages_.emplace_back();
        pages_.back().fill(0);
        return static_cast<std::uint32_t>(pages_.size() - 1);
    }
    Page& at(std::uint32_t number) { return pages_.at(number); }
    const std::vector<Page>& pages() const { return pages_; }

private:
    std::vector<Page> pages_;
};

// Fills data pages with rows placed from the end of the page backwards.
class RowPages {
public:
    // owner: the first 4 bytes after the free-space field (table page, or "LVAL").
    RowPages(PageFile& file, std::uint32_t owner) : file_(file), owner_(owner) {}

    // A page already reserved is filled before any new one is added.
    void startWith(std::uint32_t page) { open(page); }

    std::size_t roomOnCurrentPage() const {
        if (!current_ || rowCount() >= kMaxRowsPerPage) return 0;
        const std::size_t used = kDataPageHeader + kRowOffsetSize * (rowCount() + 1) + (kPageSize - top_);
        return used >= kPageSize ? 0 : kPageSize - used;
    }

    // Stores a row and returns its pointer (page << 8 | row).
    std::uint32_t put(const Bytes& row) {
        if (row.size() > kMaxRowSize) throw std::runtime_error("row is larger than a page");
        if (row.size() > roomOnCurrentPage()) open(file_.add());
        Page& page = file_.at(*current_);
        const std::size_t index = rowCount();
        top_ -= row.size();
        std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(top_));
        putU16(&page[kDataPageHeader + kRowOffsetSize * index], static_cast<std::uint16_t>(top_));
        putU16(&page[12], static_cast<std::uint16_t>(index + 1));
        putU16(&page[2], static_cast<std::uint16_t>(top_ - kDataPageHeader - kRowOffsetSize * (index + 1)));
        return rowPointer(*current_, index);
    }

    const std::vector<std::uint32_t>& pagesUsed() const { return used_; }

private:
    std::size_t rowCount() const { return current_ ? file_.at(*current_)[12] | (file_.at(*current_)[13] << 8) : 0; }

    void open(std::uint32_t number) {
        Page& page = file_.at(number);
        page[0] = 0x01;
        page[1] = 0x01;
        putU16(&page[2], static_cast<std::uint16_t>(kPageSize - kDataPageHeader));
        putU32(&page[4], owner_);
        current_ = number;
        top_ = kPageSize;
        used_.push_back(number);
    }

    PageFile& file_;
    std::uint32_t owner_;
    std::optional<std::uint32_t> current_;
    std::size_t top_ = kPageSize;
    std::vector<std::uint32_t> used_;
};

// Memo and OLE values: inline in the row, one LVAL row, or a chain of LVAL rows.
class LongValues {
public:
    explicit LongValues(PageFile& file) : pages_(file, lvalOwner()) {}

    Bytes reference(const Bytes& data) {
        if (data.size() >= kLongValueSinglePage) throw std::runtime_error("long value is too large");
        Bytes header(kLongValueHeader, 0);
        const auto length = static_cast<std::uint32_t>(data.size());
        if (data.size() <= kInlineLongValueLimit) {
            putU32(header.data(), length | kLongValueInline);
            header.insert(header.end(), data.begin(), data.end());
        } else if (data.size() <= kMaxRowSize) {
            putU32(header.data(), length | kLongValueSinglePage);
            putU32(header.data() + 4, pages_.put(data));
        } else {
            putU32(header.data(), length);
            putU32(header.data() + 4, chain(data));
        }
        return header;
    }

private:
    static std::uint32_t lvalOwner() { return 'L' | ('V' << 8) | ('A' << 16) | (std::uint32_t('L') << 24); }

    // Pieces are written last to first so each can point at the one after it.
    std::uint32_t chain(const Bytes& data) {
        const std::size_t pieceSize = kMaxRowSize - kChainLinkSize;
        std::vector<std::size_t> starts;
        for (std::size_t at = 0; at < data.size(); at += pieceSize) starts.push_back(at);
        std::uint32_t next = 0;
        for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
            const std::size_t end = std::min(data.size(), *it + pieceSize);
            Bytes piece(kChainLinkSize, 0);
            putU32(piece.data(), next);
            piece.insert(piece.end(), data.begin() + static_cast<std::ptrdiff_t>(*it),
                         data.begin() + static_cast<std::ptrdiff_t>(end));
            next = pages_.put(piece);
        }
        return next;
    }

    RowPages pages_;
};

// One row: column count, fixed part, variable part, offsets (last first), count, null mask.
Bytes encodeRow(const TableLayout& table, const std::vector<Cell>& cells, LongValues& longValues) {
    const std::size_t columnCount = table.columns.size();
    Bytes row(2 + table.fixedLength, 0);
    putU16(row.data(), static_cast<std::uint16_t>(columnCount));
    Bytes nullMask((columnCount + 7) / 8, 0);
    std::vector<Bytes> varData(table.varCount);

    for (const ColumnLayout& column : table.columns) {
        const Cell& cell = cells[column.number];
        if (std::holds_alternative<std::monostate>(cell)) continue;
        const auto mismatch = [&] {
            return std::runtime_error("column " + table.name + "." + column.name +
                                      " cannot hold the value given");
        };
        bool present = true;
        std::uint8_t* fixed = row.data() + 2 + column.fixedOffset;
        switch (column.kind) {
        case Kind::Boolean:
            if (!std::holds_alternative<bool>(cell)) throw mismatch();
            present = std::get<bool>(cell);
            break;
        case Kind::Integer:
            if (!std::holds_alternative<std::int32_t>(cell)) throw mismatch();
            putU16(fixed, static_cast<std::uint16_t>(std::get<std::int32_t>(cell)));
            break;
        case Kind::Long:
            if (!std::holds_alternative<std::int32_t>(cell)) throw mismatch();
            putI32(fixed, std::get<std::int32_t>(cell));
            break;
        case Kind::DateTime:
            if (!std::holds_alternative<double>(cell)) throw mismatch();
            putF64(fixed, std::get<double>(cell));
            break;
        case Kind::Text: {
            if (!std::holds_alternative<std::string>(cell)) throw mismatch();
            Bytes text = ucs2(std::get<std::string>(cell));
            if (text.size() > declaredLength(Kind::Text))
                throw std::runtime_error("text of " + table.name + "." + column.name +
                                         " is longer than 255 characters");
            varData[column.varIndex] = std::move(text);
            break;
        }
        case Kind::Binary:
            if (!std::holds_alternative<Bytes>(cell)) throw mismatch();
            varData[column.varIndex] = std::get<Bytes>(cell);
            break;
        case Kind::Memo:
            if (!std::holds_alternative<std::string>(cell)) throw mismatch();
            varData[column.varIndex] = longValues.reference(ucs2(std::get<std::string>(cell)));
            break;
        case Kind::Ole:
            if (const auto* bytes = std::get_if<Bytes>(&cell))
                varData[column.varIndex] = longValues.reference(*bytes);
            else if (const auto* text = std::get_if<std::string>(&cell))
                varData[column.varIndex] = longValues.reference(Bytes(text->begin(), text->end()));
            else
                throw mismatch();
            break;
        }
        if (present) nullMask[column.number / 8] |= static_cast<std::uint8_t>(1u << (column.number % 8));
    }

    std::vector<std::uint16_t> offsets;
    for (const Bytes& data : varData) {
        offsets.push_back(static_cast<std::uint16_t>(std::min<std::size_t>(row.size(), 0xFFFF)));
        row.insert(row.end(), data.begin(), data.end());
    }
    if (row.size() > kMaxRowSize) throw std::runtime_error("a row of table " + table.name + " is too large");
    offsets.push_back(static_cast<std::uint16_t>(row.size()));
    for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
        row.push_back(static_cast<std::uint8_t>(*it));
        row.push_back(static_cast<std::uint8_t>(*it >> 8));
    }
    row.push_back(static_cast<std::uint8_t>(table.varCount));
    row.push_back(static_cast<std::uint8_t>(table.varCount >> 8));
    row.insert(row.end(), nullMask.begin(), nullMask.end());
    if (row.size() > kMaxRowSize) throw std::runtime_error("a row of table " + table.name + " is too large");
    return row;
}

struct WrittenTable {
    TableLayout layout;
    std::uint32_t definitionPage;
    std::uint32_t rowCount;
    std::vector<std::uint32_t> dataPages;
    bool system;
};

WrittenTable writeRows(PageFile& file, std::uint32_t definitionPage, TableLayout layout,
                       const std::vector<std::vector<Cell>>& rows, bool system) {
    LongValues longValues(file);
    std::vector<Bytes> encoded;
    encoded.reserve(rows.size());
    for (const auto& cells : rows) {
        if (cells.size() != layout.columns.size())
            throw std::runtime_error("a row of table " + layout.name + " has the wrong number of values");
        encoded.push_back(encodeRow(layout, cells, longValues));
    }
    RowPages data(file, definitionPage);
    for (const Bytes& row : encoded) data.put(row);
    return {std::move(layout), definitionPage, static_cast<std::uint32_t>(rows.size()), data.pagesUsed(), system};
}

// Usage map of type 0: a start page and one bit per page from there.
Bytes usageMap(const std::vector<std::uint32_t>& pages) {
    const std::uint32_t start = pages.empty() ? 0 : *std::min_element(pages.begin(), pages.end());
    const std::uint32_t last = pages.empty() ? 0 : *std::max_element(pages.begin(), pages.end());
    Bytes map(5 + (last - start) / 8 + 1, 0);
    putU32(map.data() + 1, start);
    for (std::uint32_t page : pages) map[5 + (page - start) / 8] |= static_cast<std::uint8_t>(1u << ((page - start) % 8));
    return map;
}

void startDefinitionPage(Page& page) {
    page[0] = 0x02;
    page[1] = 0x01;
    page[2] = 'V';
    page[3] = 'C';
}

// A definition longer than its page goes on in further pages, each linked from the one before.
void writeDefinition(PageFile& file, const WrittenTable& table, std::uint32_t usedMap, std::uint32_t freeMap) {
    Page& page = file.at(table.definitionPage);
    startDefinitionPage(page);
    putU32(&page[0x10], table.rowCount);
    page[0x28] = table.system ? 0x53 : 0x4E;
    const auto columnCount = static_cast<std::uint16_t>(table.layout.columns.size());
    putU16(&page[0x29], columnCount);
    putU16(&page[0x2B], table.layout.varCount);
    putU16(&page[0x2D], columnCount);
    putU32(&page[0x37], usedMap);
    putU32(&page[0x3B], freeMap);

    Bytes body;
    for (const ColumnLayout& column : table.layout.columns) {
        std::array<std::uint8_t, 25> entry{};
        entry[0] = static_cast<std::uint8_t>(column.kind);
        putU16(&entry[5], column.number);
        putU16(&entry[7], column.varIndex);
        putU16(&entry[9], column.number);
        if (column.kind == Kind::Text || column.kind == Kind::Memo) putU16(&entry[11], kGeneralSortOrder);
        entry[15] = isFixed(column.kind) ? 0x03 : 0x02;
        putU16(&entry[21], column.fixedOffset);
        putU16(&entry[23], declaredLength(column.kind));
        body.insert(body.end(), entry.begin(), entry.end());
    }
    for (const ColumnLayout& column : table.layout.columns) {
        const Bytes name = ucs2(column.name);
        body.push_back(static_cast<std::uint8_t>(name.size()));
        body.push_back(static_cast<std::uint8_t>(name.size() >> 8));
        body.insert(body.end(), name.begin(), name.end());
    }
    body.push_back(0xFF);
    body.push_back(0xFF);
    constexpr std::size_t kColumnsStart = 0x3F;
    constexpr std::size_t kContinuationStart = 8;
    putU32(&page[0x08], static_cast<std::uint32_t>(kColumnsStart + body.size()));
    std::uint32_t current = table.definitionPage;
    std::size_t at = kColumnsStart;
    for (std::size_t done = 0; done < body.size();) {
        if (at == kPageSize) {
            const std::uint32_t next = file.add();
            putU32(&file.at(current)[4], next);
            startDefinitionPage(file.at(next));
            current = next;
            at = kContinuationStart;
        }
        const std::size_t piece = std::min(body.size() - done, kPageSize - at);
        std::copy_n(body.begin() + static_cast<std::ptrdiff_t>(done), piece, file.at(current).begin() + static_cast<std::ptrdiff_t>(at));
        done += piece;
        at += piece;
    }
}

// RC4, used by Jet 4 to mask the header area of page 0.
void rc4(const std::array<std::uint8_t, 4>& key, std::uint8_t* data, std::size_t length) {
    std::array<std::uint8_t, 256> s{};
    for (int i = 0; i < 256; ++i) s[i] = static_cast<std::uint8_t>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (std::size_t n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

void writeHeader(Page& page) {
    page[0] = 0x00;
    page[1] = 0x01;
    const char magic[] = "Standard Jet DB";
    std::copy(magic, magic + sizeof magic, page.begin() + 4);
    putU32(&page[0x14], 1);  // Jet 4
    putU16(&page[0x3C], 1252);
    putU16(&page[0x6E], kGeneralSortOrder);
    rc4({0xC7, 0xDA, 0x39, 0x6B}, &page[0x18], 128);
}

std::vector<std::pair<std::string, Kind>> catalogColumns() {
    return {{"Id", Kind::Long},           {"ParentId", Kind::Long},   {"Name", Kind::Text},
            {"Type", Kind::Integer},      {"DateCreate", Kind::DateTime}, {"DateUpdate", Kind::DateTime},
            {"Owner", Kind::Binary},      {"Flags", Kind::Long},      {"Database", Kind::Memo},
            {"Connect", Kind::Memo},      {"ForeignName", Kind::Text}, {"RmtInfoShort", Kind::Binary},
            {"RmtInfoLong", Kind::Ole},   {"Lv", Kind::Ole},          {"LvProp", Kind::Ole},
            {"LvModule", Kind::Ole},      {"LvExtra", Kind::Ole}};
}

std::vector<Cell> catalogRow(std::int32_t id, std::int32_t parent, const std::string& name, std::int32_t type,
                             std::int32_t flags) {
    constexpr double kCreated = 45000.5;  // a fixed date keeps the files reproducible
    std::vector<Cell> row(catalogColumns().size());
    row[0] = id;
    row[1] = parent;
    row[2] = name;
    row[3] = type;
    row[4] = kCreated;
    row[5] = kCreated;
    row[7] = flags;
    return row;
}

Bytes buildFile(const std::vector<Table>& tables) {
    PageFile file;
    writeHeader(file.at(file.add()));
    file.add();  // usage maps
    file.add();  // catalogue definition

    std::vector<WrittenTable> written;
    std::vector<std::vector<Cell>> catalog{
        catalogRow(kTablesContainerId, kDatabasesContainerId, "Tables", 3, 0),
        catalogRow(kCatalogPage, kTablesContainerId, "MSysObjects", 1, kSystemTableFlags)};
    for (const Table& table : tables) {
        std::vector<std::pair<std::string, Kind>> columns;
        for (const Column& column : table.columns) columns.emplace_back(column.name, kindOf(column.type));
        std::vector<std::vector<Cell>> rows;
        rows.reserve(table.rows.size());
        for (const auto& values : table.rows) {
            std::vector<Cell> cells;
            for (const Value& value : values) cells.push_back(toCell(value));
            rows.push_back(std::move(cells));
        }
        const std::uint32_t definition = file.add();
        written.push_back(writeRows(file, definition, layoutOf(table.name, columns), rows, false));
        catalog.push_back(catalogRow(static_cast<std::int32_t>(definition), kTablesContainerId, table.name, 1, 0));
    }
    written.insert(written.begin(),
                   writeRows(file, kCatalogPage, layoutOf("MSysObjects", catalogColumns()), catalog, true));

    RowPages maps(file, 0);
    maps.startWith(kMapPage);
    for (const WrittenTable& table : written) {
        const std::uint32_t used = maps.put(usageMap(table.dataPages));
        const std::uint32_t free = maps.put(usageMap({}));
        writeDefinition(file, table, used, free);
    }

    Bytes bytes;
    bytes.reserve(file.pages().size() * kPageSize);
    for (const Page& page : file.pages()) bytes.insert(bytes.end(), page.begin(), page.end());
    return bytes;
}

}  // namespace

void writeDatabase(const std::string& path, const std::vector<Table>& tables) {
    for (const Table& table : tables) {
        if (table.name.empty()) throw std::runtime_error("a table has no name");
        if (table.columns.size() > kMaxColumns)
            throw std::runtime_error("table " + table.name + " has more than 255 columns");
        for (const Column& column : table.columns)
            if (column.name.empty()) throw std::runtime_error("a column of table " + table.name + " has no name");
    }
    const Bytes bytes = buildFile(tables);
    QSaveFile out(QString::fromStdString(path));
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot create " + path + ": " + out.errorString().toStdString());
    const auto size = static_cast<qint64>(bytes.size());
    if (out.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !out.commit())
        throw std::runtime_error("cannot write " + path + ": " + out.errorString().toStdString());
}

}  // namespace jet
