#include "ResultsFileReader.h"
#include "ResultsFolderTest.h"

#include "DayCount.h"
#include "LittleEndian.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

ResultRecord record(const char* first, const char* last, const char* group, const char* title,
                    QDate date, const char* time, int correct, int count, float points) {
    ResultRecord r;
    r.FirstName = first;
    r.LastName = last;
    r.Group = group;
    r.TestTitle = title;
    r.TestDate = dayCount(date);
    r.TimeSpent = time;
    r.CorrectCount = correct;
    r.QuestionCount = r.QuestionCount2 = count;
    r.PointsPerAnswer = points;
    return r;
}

QByteArray bytesOf(const ResultRecord& r) {
    const RecordBytes b = encodeRecord(r);
    return QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size()));
}

// Cyrillic names, CSV's special characters, and a terminal escape hidden in a name.
QByteArray fixture() {
    return bytesOf(record("\xC8\xE2\xE0\xED", "\xCF\xE5\xF2\xF0\xEE\xE2", "\xC8\xC2-21",
                          "\xC3\xE5\xEE\xE3\xF0\xE0\xF4\xE8\xFF", QDate(2026, 12, 7), "00:12:34", 7, 10, 0.5f)) +
           bytesOf(record("Anna", "O\"Neil, Jr", "A1 ", "Math, \"advanced\"", QDate(2026, 12, 8), "00:05:00",
                          7, 10, 0.1f)) +
           bytesOf(record("Bob", "\x1B[31mRed", "B2", "Math", QDate(2026, 12, 8), "00:01:02", 0, 5, 1));
}

struct QzrRun {
    int exitCode;
    std::string out, err;  // UTF-8
};

QzrRun qzr(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(QZR_EXECUTABLE), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

using Qzr = ResultsFolderTest;

TEST_F(Qzr, ListsTheRecordsAsATable) {
    const QzrRun run = qzr({"list", write("day.qzr", fixture())});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, std::string(
        "Date        Last name   First name  Group  Test              Time      Correct  Points\n"
        "2026-12-07  Петров      Иван        ИВ-21  География         00:12:34  7/10     3.5\n"
        "2026-12-08  O\"Neil, Jr  Anna        A1     Math, \"advanced\"  00:05:00  7/10     0.700000010430813\n"
        "2026-12-08  \xEF\xBF\xBD[31mRed    Bob         B2     Math              00:01:02  0/5      0\n"));
}

TEST_F(Qzr, WritesQuotedCsvWithAHeader) {
    const QzrRun run = qzr({"csv", write("day.qzr", fixture())});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, std::string(
        "date,last_name,first_name,group,test,time,correct,count,points\r\n"
        "2026-12-07,Петров,Иван,ИВ-21,География,00:12:34,7,10,3.5\r\n"
        "2026-12-08,\"O\"\"Neil, Jr\",Anna,\"A1 \",\"Math, \"\"advanced\"\"\",00:05:00,7,10,0.700000010430813\r\n"
        "2026-12-08,\xEF\xBF\xBD[31mRed,Bob,B2,Math,00:01:02,0,5,0\r\n"));
}

TEST_F(Qzr, WritesJson) {
    const QzrRun run = qzr({"json", write("day.qzr", fixture().left(int(RecordSize)))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, std::string(R"([
    {
        "correct": 7,
        "count": 10,
        "date": "2026-12-07",
        "first_name": "Иван",
        "group": "ИВ-21",
        "last_name": "Петров",
        "points": 3.5,
        "test": "География",
        "time": "00:12:34"
    }
]
)"));
}

TEST_F(Qzr, NamesTornPaddedAndDamagedStretchesInsteadOfPrintingThem) {
    // A record torn by a crash, padded with zeros to the boundary by the next append.
    const QByteArray damaged = fixture().left(1000) + QByteArray(int(RecordSize) - 1000, '\0');
    const QByteArray bytes = fixture().left(int(RecordSize)) + QByteArray(int(RecordSize), '\0') + damaged +
                             fixture().left(1000);
    const QString path = write("torn.qzr", bytes);

    const QzrRun run = qzr({"csv", path});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(QString::fromStdString(run.out).count(QStringLiteral("\r\n")), 2) << "the header and the one whole record";
    const std::string file = path.toStdString();
    EXPECT_EQ(run.err, file + ": offset 3472: empty record (zero padding), skipped\n" + file +
                           ": offset 6944: damaged record, skipped\n" + file +
                           ": offset 10416: partial record of 1000 bytes at the end, skipped\n");
}

TEST_F(Qzr, UnreadableFileGivesAnErrorExitAndTheOthersAreStillRead) {
    const QzrRun run = qzr({"list", dir.filePath("missing.qzr"), write("day.qzr", fixture()), dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(QString::fromStdString(run.err).count(QStringLiteral("qzr: cannot read ")), 2);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4);
}

TEST_F(Qzr, WrongCommandLineShowsUsage) {
    for (const QStringList& arguments : {QStringList{}, QStringList{"list"}, QStringList{"dump", "x.qzr"}}) {
        const QzrRun run = qzr(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.starts_with("usage: qzr")) << arguments.join(' ').toStdString();
    }
}

TEST(ClassifyRecord, TellsWholeEmptyAndDamagedRecordsApart) {
    const RecordBytes whole = encodeRecord(record("A", "B", "C", "T", QDate(2026, 12, 8), "00:00:01", 3, 5, 1));
    const struct {
        const char* what;
        std::function<void(std::uint8_t*)> change;
        RecordState expected;
    } cases[] = {
        {"as written", [](std::uint8_t*) {}, RecordState::Whole},
        {"all zero", [](std::uint8_t* b) { std::fill(b, b + RecordSize, 0); }, RecordState::Empty},
        {"no questions", [](std::uint8_t* b) { putI32(b + RecordLayout::QuestionCount, 0); }, RecordState::Damaged},
        {"101 questions",
         [](std::uint8_t* b) {
             putI32(b + RecordLayout::QuestionCount, 101);
             putI32(b + RecordLayout::QuestionCount2, 101);
         },
         RecordState::Damaged},
        {"copies differ", [](std::uint8_t* b) { putI32(b + RecordLayout::QuestionCount2, 4); }, RecordState::Damaged},
        {"more correct than asked", [](std::uint8_t* b) { putI32(b + RecordLayout::CorrectCount, 6); }, RecordState::Damaged},
        {"name longer than its field", [](std::uint8_t* b) { b[RecordLayout::LastName] = 31; }, RecordState::Damaged},
        {"date not a number", [](std::uint8_t* b) { putF64(b + RecordLayout::TestDate, std::nan("")); }, RecordState::Damaged},
        {"date with a time", [](std::uint8_t* b) { putF64(b + RecordLayout::TestDate, 46000.5); }, RecordState::Damaged},
        {"points negative", [](std::uint8_t* b) { putF32(b + RecordLayout::PointsPerAnswer, -1); }, RecordState::Damaged},
    };
    for (const auto& c : cases) {
        RecordBytes bytes = whole;
        c.change(bytes.data());
        EXPECT_EQ(classifyRecord(bytes.data()), c.expected) << c.what;
    }
}

}  // namespace
