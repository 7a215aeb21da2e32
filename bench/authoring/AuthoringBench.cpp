// Prints the time to open and to save a test of 1,000 questions with 2 KB texts, the peak memory
// against the file size, and how each zlib level packs such texts.
#include "DocumentPacking.h"
#include "SampleDocuments.h"
#include "TestDocumentFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr int QuestionCount = 1000;

// Each text differs a little, as real questions do, so the packer cannot share work across them.
TestDocument sampleTest() {
    TestDocument document;
    document.settings.title = "Большой тест";
    const QByteArray base = typicalQuestion();
    for (int i = 0; i < QuestionCount; ++i) {
        AuthoredQuestion question;
        question.question = base + QByteArray::number(i);
        for (std::size_t k = 0; k < question.answers.size(); ++k)
            question.answers[k] = base + QByteArray::number(i * 5 + static_cast<int>(k));
        document.questions.push_back(std::move(question));
    }
    return document;
}

double peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void printPackingLevels(const QByteArray& text) {
    for (int level : {1, 6, 9}) {
        QElapsedTimer timer;
        timer.start();
        std::size_t packed = 0;
        for (int i = 0; i < QuestionCount * 6; ++i) packed += packDocument(text.toStdString(), level).size();
        std::printf("zlib level %d: %6lld ms for %d texts, %zu bytes packed\n", level,
                    static_cast<long long>(timer.elapsed()), QuestionCount * 6, packed);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("large.qzt");
    const TestDocument document = sampleTest();
    std::printf("%d questions, texts of %lld bytes\n", QuestionCount, static_cast<long long>(typicalQuestion().size()));
    printPackingLevels(typicalQuestion());

    const double memoryBefore = peakMemoryMb();
    QElapsedTimer timer;
    timer.start();
    writeTestDocument(path, document);
    const qint64 saveMs = timer.elapsed();
    timer.restart();
    const TestDocument opened = readTestDocument(path);
    const qint64 openMs = timer.elapsed();
    const double fileMb = QFileInfo(path).size() / (1024.0 * 1024.0);
    std::printf("save: %lld ms (goal < 3000)\nopen: %lld ms (goal < 1000), %zu questions\n",
                static_cast<long long>(saveMs), static_cast<long long>(openMs), opened.questions.size());
    std::printf("file %.1f MB; peak memory grew %.1f MB while saving and opening (goal < 3x the file)\n", fileMb,
                peakMemoryMb() - memoryBefore);
    return 0;
}
