// Damaged test files: structures that point outside their page or the file must give a clear
// refusal or TestFileError, never a crash or a hang. The fixtures are inputs our fuzz run found.
#include "Fixtures.h"
#include "SharedState.h"
#include "TestDoubles.h"
#include "TestFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <zlib.h>

#include <map>

namespace {

constexpr int PageSize = 4096;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray inflateFixture(const QString& name) {
    const QByteArray packedBytes = readFile(QStringLiteral(QUIZZARD_SOURCE_DIR "/tests/testfile/fixtures/") + name);
    QByteArray bytes(4 * 1024 * 1024, Qt::Uninitialized);
    uLongf size = static_cast<uLongf>(bytes.size());
    if (uncompress(reinterpret_cast<Bytef*>(bytes.data()), &size, reinterpret_cast<const Bytef*>(packedBytes.constData()),
                   static_cast<uLong>(packedBytes.size())) != Z_OK)
        return {};
    bytes.truncate(static_cast<qsizetype>(size));
    return bytes;
}

int le16(const QByteArray& bytes, int at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}
void putLe16(QByteArray& bytes, int at, int value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// The rows of the data pages of one table: (offset of the row in the file, its length).
std::vector<std::pair<int, int>> rowsOfTable(const QByteArray& file, int definitionPage) {
    std::vector<std::pair<int, int>> rows;
    for (int page = 1; page < file.size() / PageSize; ++page) {
        const int base = page * PageSize;
        if (file[base] != 0x01 || le16(file, base + 4) != definitionPage || le16(file, base + 6) != 0) continue;
        const int count = le16(file, base + 12);
        for (int r = 0; r < count; ++r) {
            const int start = le16(file, base + 14 + 2 * r) & 0x1FFF;
            const int end = r == 0 ? PageSize : le16(file, base + 14 + 2 * (r - 1)) & 0x1FFF;
            rows.emplace_back(base + start, end - start);
        }
    }
    return rows;
}

// The table definition owning the most rows outside the catalogue: table Test here.
int questionTablePage(const QByteArray& file) {
    std::map<int, int> rowsByOwner;
    for (int page = 3; page < file.size() / PageSize; ++page)
        if (file[page * PageSize] == 0x02) rowsByOwner[page] = static_cast<int>(rowsOfTable(file, page).size());
    return std::max_element(rowsByOwner.begin(), rowsByOwner.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

class DamagedFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shared().CurrentPosition = 1;
        Shared().Record.slot(1).AnswerOrder = {1, 2, 3, 4, 5};
    }
    void TearDown() override { CloseTestTable(); }

    QByteArray goodFile() {
        InfoRow info;
        info.questionCount = 3;
        return readFile(dir.write("good.qzt", {infoTable(info), questionTable(12)}));
    }

    // Opens the bytes and reads every question; returns how many rows read without an error.
    int openAndReadAll(const QByteArray& bytes) {
        OpenTestFile(dir.writeBytes("damaged.qzt", bytes));
        int good = 0;
        for (std::int32_t row = 1; row <= Shared().QuestionRecordCount; ++row) {
            try {
                ReadQuestion(row);
                ++good;
            } catch (const TestFileError&) {
            }
        }
        return good;
    }

    FixtureDir dir;
    RecordingNotices notices;
    ScopedNotices scoped{notices};
};

TEST_F(DamagedFileTest, InputsFoundByFuzzingAreRefusedOrRaiseTestFileError) {
    const QStringList fixtures = QDir(QStringLiteral(QUIZZARD_SOURCE_DIR "/tests/testfile/fixtures"))
                                     .entryList({QStringLiteral("fuzz-*.qzt.z")}, QDir::Files);
    ASSERT_GE(fixtures.size(), 5);
    for (const QString& name : fixtures) {
        const QByteArray bytes = inflateFixture(name);
        ASSERT_FALSE(bytes.isEmpty()) << name.toStdString();
        notices.notices.clear();
        Shared().QuestionRecordCount = 0;
        openAndReadAll(bytes);
        EXPECT_LE(notices.notices.size(), 1) << name.toStdString();
    }
}

TEST_F(DamagedFileTest, QuestionRowsWithTheirLayoutBrokenRaiseTestFileError) {
    using Patch = void (*)(QByteArray&, int start, int size);
    const std::vector<std::pair<const char*, Patch>> patches = {
        {"column count zero", [](QByteArray& f, int start, int) { putLe16(f, start, 0); }},
        {"column count beyond the row", [](QByteArray& f, int start, int) { putLe16(f, start, 0xFFFF); }},
        {"variable column count beyond the row",
         [](QByteArray& f, int start, int size) {
             const int mask = (le16(f, start) + 7) / 8;
             putLe16(f, start + size - mask - 2, 0xFFFF);
         }},
        {"variable column offsets reversed",
         [](QByteArray& f, int start, int size) {
             const int mask = (le16(f, start) + 7) / 8;
             putLe16(f, start + size - mask - 4, 0x0FFF);
         }},
    };
    const QByteArray good = goodFile();
    const int testTable = questionTablePage(good);
    for (const auto& [name, patch] : patches) {
        QByteArray damaged = good;
        const auto rows = rowsOfTable(good, testTable);
        ASSERT_EQ(rows.size(), 12u);
        for (const auto& [start, size] : rows) patch(damaged, start, size);
        Shared().QuestionRecordCount = 0;
        EXPECT_EQ(openAndReadAll(damaged), 0) << name;
    }
}

TEST_F(DamagedFileTest, DataPagesClaimingMoreRowsThanTheyHoldAreRefused) {
    QByteArray damaged = goodFile();
    const int testTable = questionTablePage(damaged);
    const int rowsPage = rowsOfTable(damaged, testTable).front().first / PageSize;
    putLe16(damaged, rowsPage * PageSize + 12, 0xFFFF);
    EXPECT_FALSE(OpenTestFile(dir.writeBytes("rows.qzt", damaged)));
    EXPECT_EQ(notices.notices, QStringList{QStringLiteral("Не удалось загрузить файл тестов")});
}

// libmdb skips rows it cannot place; rows lost that way must refuse the file, not shrink the test.
TEST_F(DamagedFileTest, RowsThatVanishFromTheirPagesRefuseTheFile) {
    using Patch = void (*)(QByteArray&, int pageStart);
    const std::vector<std::pair<const char*, Patch>> patches = {
        {"row table overwritten with 0xFF", [](QByteArray& f, int base) { f.replace(base + 14, 256, QByteArray(256, '\xFF')); }},
        {"page no longer a data page", [](QByteArray& f, int base) { f[base] = 0x03; }},
        {"page claims fewer rows", [](QByteArray& f, int base) { putLe16(f, base + 12, le16(f, base + 12) - 1); }},
    };
    const QByteArray good = goodFile();
    const int rowsPage = rowsOfTable(good, questionTablePage(good)).front().first / PageSize;
    for (const auto& [name, patch] : patches) {
        QByteArray damaged = good;
        patch(damaged, rowsPage * PageSize);
        notices.notices.clear();
        EXPECT_FALSE(OpenTestFile(dir.writeBytes("lost.qzt", damaged))) << name;
        EXPECT_EQ(notices.notices, QStringList{QStringLiteral("Не удалось загрузить файл тестов")}) << name;
    }
}

TEST_F(DamagedFileTest, LongValuesOutsideTheirPageOrInACycleRaiseTestFileError) {
    std::string noise(20000, ' ');
    std::uint32_t seed = 3;
    for (char& c : noise) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    InfoRow info;
    info.questionCount = 1;
    jet::Table test = questionTable(3);
    test.rows[0] = packedRow(noise, {"a", "b", "c", "d", "e"});  // a chain over several LVAL pages
    const QByteArray good = readFile(dir.write("long.qzt", {infoTable(info), test}));
    ASSERT_EQ(openAndReadAll(good), 3);

    auto patchLongValueRows = [&](void (*patch)(QByteArray&, int page, int row, int rowStart)) {
        QByteArray damaged = good;
        for (int page = 1; page < damaged.size() / PageSize; ++page) {
            const int base = page * PageSize;
            if (damaged[base] != 0x01 || damaged.mid(base + 4, 4) != "LVAL") continue;
            for (int r = 0; r < le16(damaged, base + 12); ++r)
                patch(damaged, page, r, base + (le16(damaged, base + 14 + 2 * r) & 0x1FFF));
        }
        return damaged;
    };
    const QByteArray outsidePage = patchLongValueRows([](QByteArray& f, int page, int row, int) {
        putLe16(f, page * PageSize + 14 + 2 * row, 0x1FFF);
    });
    const QByteArray cycle = patchLongValueRows([](QByteArray& f, int page, int row, int rowStart) {
        if (f.mid(rowStart, 4) == QByteArray(4, '\0')) return;  // the last link stays the last
        putLe16(f, rowStart, (page << 8) | row);
        putLe16(f, rowStart + 2, page >> 8);
    });
    EXPECT_NE(outsidePage, good);
    EXPECT_NE(cycle, good);
    EXPECT_EQ(openAndReadAll(outsidePage), 2);
    EXPECT_EQ(openAndReadAll(cycle), 2);
}

// The first link of the chain holds a whole zlib stream and bytes after a stream are ignored, so
// a chain that loops on that link inflates to a document unless the loop itself is noticed.
TEST_F(DamagedFileTest, LongValueChainLoopingOnAValidStreamRaisesTestFileError) {
    Blob question = packed("{\\rtf1 q}");
    std::uint32_t seed = 5;
    for (int i = 0; i < 20000; ++i) question.push_back(static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16));
    InfoRow info;
    info.questionCount = 1;
    jet::Table test = questionTable(3);
    test.rows[0][0] = question;
    QByteArray damaged = readFile(dir.write("loop.qzt", {infoTable(info), test}));
    int loops = 0;
    for (int page = 1; page < damaged.size() / PageSize; ++page) {
        const int base = page * PageSize;
        if (damaged[base] != 0x01 || damaged.mid(base + 4, 4) != "LVAL") continue;
        for (int r = 0; r < le16(damaged, base + 12); ++r) {
            const int rowStart = base + (le16(damaged, base + 14 + 2 * r) & 0x1FFF);
            if (damaged.mid(rowStart, 4) == QByteArray(4, '\0')) continue;
            putLe16(damaged, rowStart, (page << 8) | r);
            putLe16(damaged, rowStart + 2, page >> 8);
            ++loops;
        }
    }
    ASSERT_GT(loops, 0);
    ASSERT_TRUE(OpenTestFile(dir.writeBytes("loop.qzt", damaged)));
    EXPECT_THROW(ReadQuestion(1), TestFileError);
    EXPECT_NO_THROW(ReadQuestion(2));
}

}  // namespace
