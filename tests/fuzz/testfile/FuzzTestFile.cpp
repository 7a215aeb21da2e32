// Arbitrary bytes as a test file: open it, then read every question it has. Nothing may crash,
// hang or read outside the file; failures must come back as refusals or TestFileError.
#include "Notices.h"
#include "SharedState.h"
#include "TestFile.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

class SilentNotices final : public Notices {
public:
    void notice(const QString&) override {}
    bool question(const QString&) override { return false; }
};

constexpr std::int32_t MostRowsRead = 300;

QString inputPath() {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_testfile_%1.qzt").arg(QCoreApplication::applicationPid()));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentNotices silent;
    setNotices(&silent);
    {
        QFile file(inputPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    SharedState& state = Shared();
    state.QuestionRecordCount = 0;
    OpenTestFile(inputPath());
    state.CurrentPosition = 1;
    state.Record.slot(1).AnswerOrder = {1, 2, 3, 4, 5};
    const std::int32_t rows = std::min(state.QuestionRecordCount, MostRowsRead);
    for (std::int32_t row = 1; row <= rows; ++row) {
        try {
            ReadQuestion(row);
        } catch (const TestFileError&) {
        }
    }
    try {
        ReadQuestion(rows + 1);
    } catch (const TestFileError&) {
    }
    CloseTestTable();
    return 0;
}
