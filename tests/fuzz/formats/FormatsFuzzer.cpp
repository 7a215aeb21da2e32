// Feeds arbitrary bytes to one bank importer, chosen when built (BANK_IMPORTER). Errors are
// expected; crashes, hangs and leaks are not.
#include "AikenFormat.h"
#include "CsvFormat.h"
#include "GiftFormat.h"
#include "MoodleXmlFormat.h"
#include "WordProcessorFormat.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        BANK_IMPORTER(bytes);
    } catch (const FormatError&) {
    }
    return 0;
}
