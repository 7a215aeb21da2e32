// A school year of results (30,000 records in 200 files): opening the journal, a filter, a sort,
// and the item analysis of 2,000 attempts of one test, each beside plainly reading the same bytes.
#include "DayCount.h"
#include "ItemAnalysis.h"
#include "Journal.h"
#include "JournalView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

constexpr int FileCount = 200, RecordsPerFile = 150, QuestionsAsked = 20;

QByteArray randomRecord(std::mt19937& random, int student) {
    ResultRecord r;
    r.FirstName = "Student";
    r.LastName = "Name" + std::to_string(student);
    r.Group = "G" + std::to_string(student % 12);
    r.TestTitle = "Test " + std::to_string(student % 15);
    r.TestDate = dayCount(QDate(2026, 9, 1).addDays(student % 270));
    r.TimeSpent = "00:12:00";
    r.QuestionCount = r.QuestionCount2 = QuestionsAsked;
    r.PointsPerAnswer = 1;
    for (int p = 1; p <= QuestionsAsked; ++p) {
        QuestionSlot& slot = r.slot(p);
        slot.QuestionRow = int(random() % 40) + 1;
        slot.AnswerOrder = {3, 1, 5, 2, 4};
        slot.ChosenBox = int(random() % 6);
        if (slot.isCorrect()) ++r.CorrectCount;
    }
    const RecordBytes b = encodeRecord(r);
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

template <typename F>
double millisecondsOf(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

qint64 readPlainly(const QStringList& paths) {
    qint64 total = 0;
    for (const QString& path : paths) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) total += file.readAll().size();
    }
    return total;
}

}  // namespace

int main() {
    QTemporaryDir dir;
    std::mt19937 random(7);
    QStringList paths;
    for (int f = 0; f < FileCount; ++f) {
        const QString path = dir.filePath(QStringLiteral("ws%1/%2.qzr").arg(f % 10).arg(f));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        for (int r = 0; r < RecordsPerFile; ++r) file.write(randomRecord(random, f * RecordsPerFile + r));
        paths << path;
    }
    qint64 bytes = 0;
    const double plain = millisecondsOf([&] { bytes = readPlainly(paths); });
    Journal journal;
    const double open = millisecondsOf([&] { journal.open(dir.path()); });
    std::printf("%zu records in %d files, %lld bytes\n", journal.attempts().size(), FileCount, bytes);
    std::printf("plain read of the same bytes: %8.2f ms\n", plain);
    std::printf("journal open:                 %8.2f ms (%.1f x the plain read; goal < 1000 ms)\n", open, open / plain);

    const MarkSettings marks;
    std::vector<const Attempt*> shown;
    JournalFilter filter;
    filter.group = QStringLiteral("G3");
    const double filtering = millisecondsOf([&] { shown = filteredAttempts(journal.attempts(), filter); });
    std::vector<const Attempt*> all = filteredAttempts(journal.attempts(), {});
    const double byName = millisecondsOf([&] { sortAttempts(all, JournalColumn::LastName, false, marks); });
    const double byPercent = millisecondsOf([&] { sortAttempts(all, JournalColumn::Percent, true, marks); });
    std::printf("filter by group (%zu shown):  %8.2f ms (goal < 50 ms)\n", shown.size(), filtering);
    std::printf("sort all by last name:        %8.2f ms (goal < 50 ms)\n", byName);
    std::printf("sort all by percent:          %8.2f ms (goal < 50 ms)\n", byPercent);

    filter = {};
    filter.test = QStringLiteral("Test 4");
    std::vector<const Attempt*> oneTest = filteredAttempts(journal.attempts(), filter);
    std::printf("attempts of one test:         %zu\n", oneTest.size());
    const double analysis = millisecondsOf([&] { analyseItems(oneTest); });
    std::printf("item analysis:                %8.2f ms (goal < 100 ms)\n", analysis);
    return 0;
}
