// Writes small good test files into the folder given, as the seeds of the fuzz run.
#include "JetWriter.h"
#include "TestFileBuilder.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Text that does not compress, so that its BLOB spans LVAL rows and pages.
std::string noise(std::size_t size, unsigned seed) {
    std::string text(size, ' ');
    for (char& c : text) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return text;
}

jet::Table info(const std::string& title, int count) {
    return {"TestInfo",
            {{"TestTitle", jet::ColumnType::Text},
             {"QuestionCountForAnswer", jet::ColumnType::Long},
             {"TimeForAnswer", jet::ColumnType::Long},
             {"AnswerBalls", jet::ColumnType::Long},
             {"AllowReturn", jet::ColumnType::Boolean},
             {"ResultHere", jet::ColumnType::Boolean}},
            {{title, std::int32_t{count}, std::int32_t{20}, std::int32_t{10}, true, false}}};
}

jet::Table questions(int rows, std::size_t answerSize) {
    jet::Table table{"Test", {}, {}};
    for (const char* name : {"Q", "A1", "A2", "A3", "A4", "A5"}) table.columns.push_back({name, jet::ColumnType::Ole});
    for (int r = 0; r < rows; ++r) {
        std::vector<jet::Value> row{packDocument("{\\rtf1 Q" + std::to_string(r) + "\\par}")};
        for (int a = 1; a <= 5; ++a) row.emplace_back(packDocument(noise(answerSize, static_cast<unsigned>(r * 5 + a))));
        table.rows.push_back(row);
    }
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    jet::writeDatabase(folder + "/inline.qzt", {info("Inline", 2), questions(3, 8)});
    jet::writeDatabase(folder + "/lval.qzt", {info("Long values", 1), questions(2, 3000)});
    jet::writeDatabase(folder + "/chain.qzt", {info("Chains", 1), questions(2, 9000)});
    jet::writeDatabase(folder + "/many.qzt", {info("Many", 10), questions(40, 20)});
    return 0;
}
