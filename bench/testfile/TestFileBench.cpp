// Prints medians: opening a test of 10,000 questions and reading its settings, against libmdb's
// own C API doing the same in this process and `mdb-export FILE TestInfo` as a process, with the
// read calls each open makes; and reading one question with its five answers, for 2 KB texts
// and for a question holding a 300 KB picture.
#include "JetWriter.h"
#include "Notices.h"
#include "SharedState.h"
#include "TestFile.h"
#include "TestFileBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <mdbtools.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

std::uint32_t nextRandom(std::uint32_t& seed) { return seed = seed * 1103515245u + 12345u; }

// An RTF text of about the given size: Cyrillic words in cp1251 escapes, like a teacher's text.
std::string rtfText(std::size_t size, std::uint32_t seed) {
    std::string text = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs28 ";
    static const char* hex = "0123456789abcdef";
    while (text.size() < size) {
        for (int letters = 3 + nextRandom(seed) % 7; letters > 0; --letters) {
            const unsigned c = 0xE0 + (nextRandom(seed) >> 16) % 32;
            text += "\\'";
            text += hex[c >> 4];
            text += hex[c & 15];
        }
        text += ' ';
    }
    return text + "\\par}";
}

std::string rtfWithPicture(std::size_t pictureBytes) {
    std::string text = "{\\rtf1\\ansi Picture:\\par{\\pict\\jpegblip\\picw800\\pich600 ";
    static const char* hex = "0123456789abcdef";
    std::uint32_t seed = 99;
    for (std::size_t i = 0; i < pictureBytes; ++i) {
        const unsigned byte = (nextRandom(seed) >> 16) & 0xFF;
        text += hex[byte >> 4];
        text += hex[byte & 15];
        if (i % 64 == 63) text += "\r\n";
    }
    return text + "}\\par}";
}

jet::Table info() {
    return {"TestInfo",
            {{"TestTitle", jet::ColumnType::Text},
             {"QuestionCountForAnswer", jet::ColumnType::Long},
             {"TimeForAnswer", jet::ColumnType::Long},
             {"AnswerBalls", jet::ColumnType::Long},
             {"AllowReturn", jet::ColumnType::Boolean},
             {"ResultHere", jet::ColumnType::Boolean}},
            {{std::string("Большой тест"), std::int32_t{30}, std::int32_t{50}, std::int32_t{10}, true, false}}};
}

jet::Table questions(int rows, std::size_t textSize, const std::string& firstQuestion) {
    jet::Table table{"Test", {}, {}};
    for (const char* name : {"Q", "A1", "A2", "A3", "A4", "A5"}) table.columns.push_back({name, jet::ColumnType::Ole});
    std::uint32_t seed = 1;
    for (int r = 0; r < rows; ++r) {
        std::vector<jet::Value> row;
        row.emplace_back(packDocument(r == 0 && !firstQuestion.empty() ? firstQuestion : rtfText(textSize, nextRandom(seed))));
        for (int a = 0; a < 5; ++a) row.emplace_back(packDocument(rtfText(textSize, nextRandom(seed))));
        table.rows.push_back(std::move(row));
    }
    return table;
}

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void requireOpen(const QString& file) {
    if (!OpenTestFile(file)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(file));
        std::exit(1);
    }
}

// libmdb alone: the catalogue, the first row of TestInfo with its six settings, and the row
// count of Test from its definition.
void libmdbOpen(const QString& file) {
    MdbHandle* mdb = mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE)) std::exit(1);
    MdbTableDef* info = mdb_read_table_by_name(mdb, const_cast<gchar*>("TestInfo"), MDB_TABLE);
    if (!info || !mdb_read_columns(info)) std::exit(1);
    std::vector<std::string> values(6, std::string(MDB_BIND_SIZE, '\0'));
    const char* names[] = {"TestTitle", "QuestionCountForAnswer", "TimeForAnswer", "AnswerBalls", "AllowReturn", "ResultHere"};
    for (std::size_t i = 0; i < values.size(); ++i)
        mdb_bind_column_by_name(info, const_cast<gchar*>(names[i]), values[i].data(), nullptr);
    mdb_rewind_table(info);
    if (!mdb_fetch_row(info)) std::exit(1);
    MdbTableDef* test = mdb_read_table_by_name(mdb, const_cast<gchar*>("Test"), MDB_TABLE);
    if (!test || test->num_rows != 10000) std::exit(1);
    mdb_free_tabledef(test);
    mdb_free_tabledef(info);
    mdb_close(mdb);
}

// Read calls of the whole process so far, as the kernel counts them; -1 where it does not tell.
long long readCalls() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "syscr:") return value;
    return -1;
}

long long readCallsOf(const std::function<void()>& work) {
    const long long before = readCalls();
    work();
    return before < 0 ? -1 : readCalls() - before;
}

double readQuestionMs(const QString& file, std::int32_t row) {
    requireOpen(file);
    Shared().CurrentPosition = 1;
    Shared().Record.slot(1).AnswerOrder = {3, 1, 5, 2, 4};
    return medianMs(200, [row] { ReadQuestion(row); });
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString large = dir.filePath("large.qzt");
    const QString picture = dir.filePath("picture.qzt");
    jet::writeDatabase(QFile::encodeName(large).toStdString(), {info(), questions(10000, 2048, {})});
    jet::writeDatabase(QFile::encodeName(picture).toStdString(), {info(), questions(40, 2048, rtfWithPicture(300 * 1024))});
    std::printf("test of 10,000 questions: %.1f MB\n", QFile(large).size() / 1e6);

    const double openMs = medianMs(21, [&] { requireOpen(large); });
    const double libmdbMs = medianMs(21, [&] { libmdbOpen(large); });
    const long long openReads = readCallsOf([&] { requireOpen(large); });
    const long long libmdbReads = readCallsOf([&] { libmdbOpen(large); });
    const double exportMs = medianMs(21, [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("mdb-export"), {large, QStringLiteral("TestInfo")});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) std::exit(1);
    });
    std::printf("open + settings + row count: %8.2f ms  %6lld reads  (median of 21)\n", openMs, openReads);
    std::printf("libmdb C API, same work:     %8.2f ms  %6lld reads  (median of 21)\n", libmdbMs, libmdbReads);
    std::printf("mdb-export FILE TestInfo:    %8.2f ms  (median of 21, a whole process)\n", exportMs);
    std::printf("ratio open / libmdb:         %8.2f  (goal <= 5)\n", openMs / libmdbMs);

    std::printf("read question, 2 KB texts:   %8.3f ms  (median of 200, goal < 1 ms)\n", readQuestionMs(large, 5000));
    std::printf("read question, 300 KB picture: %6.3f ms  (median of 200, goal < 5 ms)\n", readQuestionMs(picture, 1));
    CloseTestTable();
    return 0;
}
