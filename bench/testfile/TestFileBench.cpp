// Prints medians: opening a test of 10,000 questions and reading its settings, against
// `mdb-export FILE TestInfo` on the same file in the same run; and reading one question with
// its five answers, for 2 KB texts and for a question holding a 300 KB picture.
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
#include <algorithm>
#include <chrono>
#include <cstdio>
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
    const double exportMs = medianMs(21, [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("mdb-export"), {large, QStringLiteral("TestInfo")});
        if (!process.waitForFinished(-1) || process.exitCode() != 0) std::exit(1);
    });
    std::printf("open + settings + row count: %8.2f ms  (median of 21)\n", openMs);
    std::printf("mdb-export FILE TestInfo:    %8.2f ms  (median of 21)\n", exportMs);
    std::printf("ratio open / mdb-export:     %8.2f  (goal <= 1)\n", openMs / exportMs);

    std::printf("read question, 2 KB texts:   %8.3f ms  (median of 200, goal < 1 ms)\n", readQuestionMs(large, 5000));
    std::printf("read question, 300 KB picture: %6.3f ms  (median of 200, goal < 5 ms)\n", readQuestionMs(picture, 1));
    CloseTestTable();
    return 0;
}
