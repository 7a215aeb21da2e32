// The journal of a folder: reading, copies counted once, damaged stretches as warnings, appends.
#include "Journal.h"
#include "JournalCsv.h"
#include "JournalView.h"
#include "LittleEndian.h"
#include "RecordFixtures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDate Day(2026, 12, 7);

class JournalFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(JournalFolder, ReadsSubfoldersAndCountsARecordInACopyOnce) {
    const ResultRecord a = answeredRecord("A", "G1", "T", Day, {1, 1});
    const ResultRecord b = answeredRecord("B", "G1", "T", Day, {1, 2});
    const ResultRecord c = answeredRecord("C", "G2", "T", Day, {2, 2});
    writeFile(path("07.12.2026.qzr"), bytesOf({a, b}));
    writeFile(path("copies/ws3/07.12.2026.qzr"), bytesOf({b, c}));
    writeFile(path("notes.txt"), "not a results file");
    Journal journal;
    journal.open(dir.path());
    ASSERT_EQ(journal.attempts().size(), 3u);
    EXPECT_EQ(journal.attempts()[2].lastName, "C");
    EXPECT_EQ(journal.groups(), (QStringList{"G1", "G2"}));
    EXPECT_TRUE(journal.warnings().isEmpty());
}

TEST_F(JournalFolder, NamesDamagedStretchesWithFileAndOffsetAndKeepsTheRest) {
    QByteArray damaged = bytesOf({answeredRecord("X", "G", "T", Day, {1})});
    putI32(reinterpret_cast<std::uint8_t*>(damaged.data()) + RecordLayout::Slots + RecordLayout::SlotChosenBox, 9);
    const QByteArray whole = bytesOf({answeredRecord("A", "G", "T", Day, {1})});
    writeFile(path("d.qzr"), whole + damaged + whole + whole.left(100));
    Journal journal;
    journal.open(dir.path());
    EXPECT_EQ(journal.attempts().size(), 2u);
    EXPECT_EQ(journal.warnings(), (QStringList{path("d.qzr") + ": offset 3472: damaged record, skipped",
                                               path("d.qzr") + ": offset 10416: partial record of 100 bytes at the end, skipped"}));
}

TEST_F(JournalFolder, RefreshReadsWhatWasAppendedIncludingATornTailCompleted) {
    const QByteArray first = bytesOf({answeredRecord("A", "G", "T", Day, {1})});
    const QByteArray second = bytesOf({answeredRecord("B", "G", "T", Day, {2})});
    writeFile(path("r.qzr"), first + second.left(1000));
    Journal journal;
    journal.open(dir.path());
    EXPECT_EQ(journal.attempts().size(), 1u);
    EXPECT_EQ(journal.warnings().size(), 1);

    appendToFile(path("r.qzr"), second.mid(1000));
    EXPECT_TRUE(journal.refresh());
    ASSERT_EQ(journal.attempts().size(), 2u);
    EXPECT_EQ(journal.attempts()[1].lastName, "B");
    EXPECT_TRUE(journal.warnings().isEmpty());

    writeFile(path("later/new.qzr"), bytesOf({answeredRecord("C", "G", "T", Day, {1})}));
    EXPECT_TRUE(journal.refresh());
    EXPECT_EQ(journal.attempts().size(), 3u);
    EXPECT_FALSE(journal.refresh()) << "nothing changed";
}

TEST_F(JournalFolder, UnreadableFolderIsAnEmptyJournal) {
    Journal journal;
    journal.open(path("missing"));
    EXPECT_TRUE(journal.attempts().empty());
}

std::vector<Attempt> sampleAttempts() {
    std::vector<Attempt> attempts;
    const auto add = [&](const char* last, const char* group, const char* title, QDate date, std::vector<int> answers) {
        attempts.push_back(attemptOf({answeredRecord(last, group, title, date, answers), 0, 0}, "f.qzr"));
    };
    add("\xC8\xE2\xE0\xED\xEE\xE2", "G1", "Math", Day, {1, 1, 1, 1});  // Иванов, 100%
    add("Petrov", "G2", "Math", Day.addDays(1), {1, 1, 2, 2});         // 50%
    add("Sidorov", "G1", "Physics", Day.addDays(2), {1, 2, 2, 2});     // 25%
    add("Ivanova", "G1", "Math", Day.addDays(3), {1, 1, 1, 2});        // 75%
    return attempts;
}

TEST(JournalView, FiltersByDateGroupTestAndName) {
    const std::vector<Attempt> all = sampleAttempts();
    const struct {
        const char* what;
        JournalFilter filter;
        int shown;
    } cases[] = {
        {"none", {}, 4},
        {"from a date", {Day.addDays(1), {}, {}, {}, {}}, 3},
        {"a date range", {Day.addDays(1), Day.addDays(2), {}, {}, {}}, 2},
        {"group", {{}, {}, "G1", {}, {}}, 3},
        {"test", {{}, {}, {}, "Math", {}}, 3},
        {"group and test", {{}, {}, "G1", "Math", {}}, 2},
        {"name in any case, Cyrillic", {{}, {}, {}, {}, QString::fromUtf8("иван")}, 1},
        {"name in Latin", {{}, {}, {}, {}, "IVAN"}, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(int(filteredAttempts(all, c.filter).size()), c.shown) << c.what;
}

TEST(JournalView, SortsByAnyColumnBothWays) {
    const std::vector<Attempt> all = sampleAttempts();
    const MarkSettings marks;
    std::vector<const Attempt*> shown = filteredAttempts(all, {});
    sortAttempts(shown, JournalColumn::Percent, false, marks);
    EXPECT_EQ(shown.front()->lastName, "Sidorov");
    EXPECT_EQ(shown.back()->lastName, QString::fromUtf8("Иванов"));
    sortAttempts(shown, JournalColumn::Date, true, marks);
    EXPECT_EQ(shown.front()->lastName, "Ivanova");
    sortAttempts(shown, JournalColumn::Mark, true, marks);
    EXPECT_EQ(shown.front()->lastName, QString::fromUtf8("Иванов"));
    sortAttempts(shown, JournalColumn::Test, true, marks);
    EXPECT_EQ(shown.front()->test, "Physics");
}

TEST(JournalView, TotalsOfWhatIsShown) {
    const std::vector<Attempt> all = sampleAttempts();
    const JournalTotals totals = totalsOf(filteredAttempts(all, {}), MarkSettings{});
    EXPECT_EQ(totals.count, 4);
    EXPECT_DOUBLE_EQ(totals.meanPercent, 62.5);
    EXPECT_DOUBLE_EQ(totals.medianPercent, 62.5);
    EXPECT_EQ(totals.marks, (std::array<int, 4>{1, 1, 1, 1}));  // 25% 2, 50% 3, 75% 4, 100% 5
    EXPECT_EQ(totalsOf({}, MarkSettings{}).count, 0);
}

TEST(MarkScale, RussianFivePointScaleAtItsEdges) {
    const MarkScale scale;
    const struct {
        int correct, asked, mark;
    } cases[] = {{17, 20, 5}, {16, 20, 4}, {13, 20, 4}, {12, 20, 3}, {9, 20, 3}, {8, 20, 2},
                 {0, 5, 2}, {5, 5, 5}, {0, 0, 2}};
    for (const auto& c : cases) EXPECT_EQ(scale.markOf(c.correct, c.asked), c.mark) << c.correct << "/" << c.asked;
}

TEST(MarkScale, EditedThresholdsAndAScaleForOneTest) {
    MarkSettings marks;
    marks.defaultScale.from = {90, 70, 50};
    marks.byTestTitle.insert("Hard", MarkScale{{60, 40, 20}});
    EXPECT_EQ(marks.markOf("Any", 17, 20), 4);
    EXPECT_EQ(marks.markOf("Hard", 12, 20), 5);
    EXPECT_EQ(marks.markOf("Hard", 4, 20), 3);
}

TEST(JournalCsv, HasAByteOrderMarkTheMarkAndQuotedNames) {
    std::vector<Attempt> all = sampleAttempts();
    all[1].lastName = "O\"Neil, Jr";
    const QByteArray csv = journalCsv(filteredAttempts(all, {}), MarkSettings{});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split("\r\n");
    EXPECT_EQ(lines[0], "date,last_name,first_name,group,test,time,correct,asked,points,percent,mark");
    EXPECT_EQ(lines[1], QString::fromUtf8("2026-12-07,Иванов,Ann,G1,Math,00:04:10,4,4,8,100.0,5"));
    EXPECT_EQ(lines[2], "2026-12-08,\"O\"\"Neil, Jr\",Ann,G2,Math,00:04:10,2,4,4,50.0,3");
}

}  // namespace
