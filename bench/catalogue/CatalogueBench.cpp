// The catalogue search over 20,000 files in 2,000 folders, against `find DIR -iname '*.qzt'`
// on the same tree in the same run. Prints both times and their ratio.
#include "Catalogue.h"
#include "SharedState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int TopFolders = 40, SubfoldersEach = 49, FilesPerFolder = 10;

QString treeRoot;

void makeFiles(const QString& folder) {
    static const char* names[] = {"a.qzt", "B.QZT", "c.Qzt", "d.qzt", "e.qzt",
                                  "f.txt", "g.qzt.bak", "h.doc", "qzt", "j.rtf"};
    for (int i = 0; i < FilesPerFolder; ++i) QFile(folder + QString::number(i) + names[i]).open(QIODevice::WriteOnly);
}

// 40 folders with 49 subfolders each: 2,000 folders, 10 files in each.
void buildTree(const QString& root) {
    for (int t = 0; t < TopFolders; ++t) {
        const QString top = root + QStringLiteral("top%1/").arg(t);
        QDir().mkpath(top);
        makeFiles(top);
        for (int s = 0; s < SubfoldersEach; ++s) {
            const QString sub = top + QStringLiteral("sub%1/").arg(s);
            QDir().mkpath(sub);
            makeFiles(sub);
        }
    }
}

void BM_FindTestFiles(benchmark::State& state) {
    for (auto _ : state) {
        Shared().TestFileList.clear();
        FindTestFiles(treeRoot, QStringLiteral("*.qzt"));
        benchmark::DoNotOptimize(Shared().TestFileList.size());
    }
    state.counters["found"] = static_cast<double>(Shared().TestFileList.size());
}

void BM_FindCommand(benchmark::State& state) {
    const std::string command = "find '" + QFile::encodeName(treeRoot).toStdString() + "' -iname '*.qzt'";
    std::size_t lines = 0;
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) {
            state.SkipWithError("find cannot be started");
            return;
        }
        std::string output;
        char buffer[65536];
        while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
        pclose(pipe);
        lines = static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n'));
        benchmark::DoNotOptimize(output.data());
    }
    state.counters["found"] = static_cast<double>(lines);
}

BENCHMARK(BM_FindTestFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> realTimes;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) realTimes[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    treeRoot = dir.path() + QLatin1Char('/');
    buildTree(treeRoot);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.realTimes["BM_FindTestFiles"];
    const double find = reporter.realTimes["BM_FindCommand"];
    if (ours > 0 && find > 0)
        std::printf("FindTestFiles / find: %.2f (below 1 is faster than find)\n", ours / find);
    benchmark::Shutdown();
    return 0;
}
