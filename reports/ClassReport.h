#pragma once
// The class report: the statistics, a chart of the score distribution and the table of the shown
// attempts, painted on pages. The same painting makes the PDF and the printout.
#include "Attempt.h"
#include "MarkScale.h"

#include <QString>
#include <vector>

class QPagedPaintDevice;

struct ClassReportTexts {
    QString title;
    QString statistics;  // "Attempts: …, mean …"; the caller's words, in its language
    QStringList headers;  // of the table, one per column
};

void paintClassReport(QPagedPaintDevice& device, const ClassReportTexts& texts,
                      const std::vector<const Attempt*>& shown, const MarkSettings& marks);
// Empty on success, otherwise why the file could not be written.
QString writeClassReportPdf(const QString& path, const ClassReportTexts& texts,
                            const std::vector<const Attempt*>& shown, const MarkSettings& marks);
// The report's texts in English, for the command line.
ClassReportTexts englishReportTexts(const std::vector<const Attempt*>& shown, const MarkSettings& marks);
