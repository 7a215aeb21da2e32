#include "BankFormats.h"

#include "AikenFormat.h"
#include "CsvFormat.h"
#include "GiftFormat.h"
#include "JsonFormat.h"
#include "MoodleXmlFormat.h"
#include "WordProcessorFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int kQuestionsPerTest = 10;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FormatError(path, "cannot read: " + file.errorString());
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw FormatError(path, "cannot write: " + file.errorString());
}

BankFormat bytesFormat(const QString& name, QStringList suffixes, ImportResult (*read)(const QByteArray&),
                       QByteArray (*write)(const TestDocument&)) {
    BankFormat format{name, std::move(suffixes), [read](const QString& path) { return read(readBytes(path)); }, {}};
    if (write) format.write = [write](const TestDocument& test, const QString& path) { writeBytes(path, write(test)); };
    return format;
}

std::vector<BankFormat>& formats() {
    static std::vector<BankFormat> all{
        bytesFormat("gift", {"gift.txt", "gift"}, importGift, exportGift),
        bytesFormat("aiken", {"aiken.txt", "aiken"}, importAiken, exportAiken),
        bytesFormat("moodle-xml", {"xml"}, importMoodleXml, exportMoodleXml),
        bytesFormat("rtf", {"rtf"}, importWordProcessorRtf, exportWordProcessorRtf),
        bytesFormat("text", {"txt"}, importPlainText, exportPlainText),
        bytesFormat("csv", {"csv", "tsv"}, importCsv, nullptr),
        {"json", {"json"}, importJsonDescription,
         [](const TestDocument& test, const QString& path) { writeBytes(path, exportJsonDescription(test)); }},
    };
    return all;
}

QString names() {
    QStringList list;
    for (const BankFormat& format : formats()) list << format.name;
    return list.join(", ");
}

// Banks carry no test settings; the test takes its title from the file and asks fewer questions
// than it holds, as the student program requires.
void fillSettings(TestDocument& test, const QString& source) {
    if (test.settings.title.isEmpty()) test.settings.title = QFileInfo(source).completeBaseName();
    const int count = static_cast<int>(test.questions.size());
    test.settings.questionsPerTest = std::clamp(std::min(test.settings.questionsPerTest, count - 1), 1, kQuestionsPerTest);
}

}  // namespace

const std::vector<BankFormat>& bankFormats() { return formats(); }

void registerBankFormat(BankFormat format) { formats().insert(formats().begin(), std::move(format)); }

const BankFormat& chooseBankFormat(const QString& path, const QString& name) {
    const auto& all = formats();
    if (!name.isEmpty()) {
        const auto found = std::find_if(all.begin(), all.end(), [&](const BankFormat& f) { return f.name == name; });
        if (found == all.end()) throw FormatError(name, "unknown format; the formats are " + names());
        return *found;
    }
    const QString file = QFileInfo(path).fileName().toLower();
    for (const BankFormat& format : all)
        for (const QString& suffix : format.suffixes)
            if (file.endsWith("." + suffix)) return format;
    throw FormatError(path, "cannot tell the format from the file name; name it with --from or --to (" + names() + ")");
}

ImportResult importBankFile(const QString& path, const QString& format) {
    ImportResult result = chooseBankFormat(path, format).read(path);
    fillSettings(result.document, path);
    return result;
}

void exportBankFile(const TestDocument& test, const QString& path, const QString& format) {
    const BankFormat& chosen = chooseBankFormat(path, format);
    if (!chosen.write) throw FormatError(chosen.name, "is read only; a test cannot be written in it");
    chosen.write(test, path);
}

ConversionSummary convertFile(const QString& in, const QString& out, const QString& from, const QString& to) {
    const BankFormat& target = chooseBankFormat(out, to);
    if (!target.write) throw FormatError(target.name, "is read only; a test cannot be written in it");
    const ImportResult result = importBankFile(in, from);
    ConversionSummary summary{result.report, false, summaryText(in, result.report)};
    if (result.report.imported == 0) return summary;
    target.write(result.document, out);
    summary.written = true;
    return summary;
}

QString summaryText(const QString& source, const ImportReport& report) {
    QString text = QString("%1: %2 questions imported, %3 with warnings, %4 skipped\n")
                       .arg(source).arg(report.imported).arg(report.warned.size()).arg(report.skipped.size());
    for (const ImportWarning& warning : report.warned)
        text += QString("  warning: question %1: %2\n").arg(warning.question + 1).arg(warning.reason);
    for (const SkippedQuestion& skipped : report.skipped)
        text += QString("  skipped: %1 \"%2\": %3\n").arg(skipped.position, skipped.title, skipped.reason);
    if (report.imported == 0) text += "nothing imported; no file written\n";
    return text;
}
