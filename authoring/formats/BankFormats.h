#pragma once
// The question-bank formats by name and file ending, and the conversion from one to another.
#include "ImportReport.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct BankFormat {
    QString name;          // as given to --from and --to: "gift", "moodle-xml", ...
    QStringList suffixes;  // longest first where they overlap: "gift.txt" before "txt"
    std::function<ImportResult(const QString& path)> read;              // throws FormatError
    std::function<void(const TestDocument&, const QString& path)> write;  // empty for import only
};

const std::vector<BankFormat>& bankFormats();
// Adds a format kept elsewhere, such as the test file itself.
void registerBankFormat(BankFormat format);
// The named format, or else the one for the file's ending. Throws FormatError when neither fits.
const BankFormat& chooseBankFormat(const QString& path, const QString& name);

ImportResult importBankFile(const QString& path, const QString& format = {});
// Writes the whole file or nothing.
void exportBankFile(const TestDocument& test, const QString& path, const QString& format = {});

struct ConversionSummary {
    ImportReport report;
    bool written = false;  // nothing is written when no question could be imported
    QString text;          // what was imported, warned and skipped, a line each
};

ConversionSummary convertFile(const QString& in, const QString& out, const QString& from = {}, const QString& to = {});
QString summaryText(const QString& source, const ImportReport& report);
