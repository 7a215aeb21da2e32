#include "ClassReport.h"

#include "ItemAnalysis.h"
#include "JournalView.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

QStringList cellsOf(const Attempt& a, const MarkSettings& marks) {
    return {a.date.toString(QStringLiteral("dd.MM.yyyy")), a.lastName, a.firstName, a.group, a.test, a.timeSpent,
            QStringLiteral("%1/%2").arg(a.correct).arg(a.asked), QString::number(a.points, 'g', 4),
            QString::number(a.percent, 'f', 1), QString::number(marks.markOf(a.test, a.correct, a.asked))};
}

// Column widths as shares of the page width.
constexpr double Widths[] = {0.09, 0.14, 0.12, 0.08, 0.2, 0.08, 0.08, 0.07, 0.07, 0.07};

void paintRow(QPainter& p, const QStringList& cells, double y, double width, double height) {
    double x = 0;
    for (int c = 0; c < cells.size() && c < int(std::size(Widths)); ++c) {
        const QRectF cell(x, y, Widths[c] * width, height);
        p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   p.fontMetrics().elidedText(cells[c], Qt::ElideRight, int(cell.width() - 4)));
        x += cell.width();
    }
}

void paintChart(QPainter& p, const std::vector<const Attempt*>& shown, const QRectF& area) {
    std::array<int, 11> bins{};
    for (const Attempt* a : shown) ++bins[std::size_t(std::clamp(int(a->percent / 10), 0, 10))];
    const int highest = std::max(1, *std::max_element(bins.begin(), bins.end()));
    const double barWidth = area.width() / double(bins.size());
    const double labelHeight = p.fontMetrics().height();
    const double plotHeight = area.height() - labelHeight;
    p.drawLine(area.bottomLeft() - QPointF(0, labelHeight), area.bottomRight() - QPointF(0, labelHeight));
    for (std::size_t i = 0; i < bins.size(); ++i) {
        const double h = plotHeight * bins[i] / highest;
        const QRectF bar(area.left() + i * barWidth + barWidth * 0.1, area.top() + plotHeight - h, barWidth * 0.8, h);
        p.fillRect(bar, QColor(70, 110, 180));
        p.drawText(QRectF(area.left() + i * barWidth, area.bottom() - labelHeight, barWidth, labelHeight),
                   Qt::AlignCenter, i < 10 ? QString::number(i * 10) : QStringLiteral("100"));
        if (bins[i] > 0)
            p.drawText(QRectF(bar.left(), bar.top() - labelHeight, bar.width(), labelHeight), Qt::AlignCenter,
                       QString::number(bins[i]));
    }
}

}  // namespace

void paintClassReport(QPagedPaintDevice& device, const ClassReportTexts& texts,
                      const std::vector<const Attempt*>& shown, const MarkSettings& marks) {
    QPainter p(&device);
    const double width = device.width(), pageHeight = device.height();
    const double line = p.fontMetrics().height() * 1.4;
    QFont titleFont = p.font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    p.save();
    p.setFont(titleFont);
    p.drawText(QRectF(0, 0, width, line * 1.5), Qt::AlignLeft | Qt::AlignVCenter, texts.title);
    p.restore();
    double y = line * 1.6;
    const QRectF statistics(0, y, width, line * 3);
    p.drawText(statistics, Qt::AlignLeft | Qt::TextWordWrap, texts.statistics);
    y += line * 3;
    paintChart(p, shown, QRectF(0, y, width * 0.6, line * 8));
    y += line * 9;
    QFont bold = p.font();
    bold.setBold(true);
    const auto header = [&] {
        p.save();
        p.setFont(bold);
        paintRow(p, texts.headers, y, width, line);
        p.restore();
        y += line;
    };
    header();
    for (const Attempt* a : shown) {
        if (y + line > pageHeight) {
            device.newPage();
            y = 0;
            header();
        }
        paintRow(p, cellsOf(*a, marks), y, width, line);
        y += line;
    }
}

QString writeClassReportPdf(const QString& path, const ClassReportTexts& texts,
                            const std::vector<const Attempt*>& shown, const MarkSettings& marks) {
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        pdf.setTitle(texts.title);
        paintClassReport(pdf, texts, shown, marks);
    }
    if (QFile(path).size() > 0) return {};
    QFile::remove(path);
    return QStringLiteral("cannot write %1").arg(path);
}

ClassReportTexts englishReportTexts(const std::vector<const Attempt*>& shown, const MarkSettings& marks) {
    const JournalTotals t = totalsOf(shown, marks);
    return {QStringLiteral("Class report"),
            QStringLiteral("Attempts: %1. Mean: %2%. Median: %3%. Marks: 5 - %4, 4 - %5, 3 - %6, 2 - %7.")
                .arg(t.count)
                .arg(t.meanPercent, 0, 'f', 1)
                .arg(t.medianPercent, 0, 'f', 1)
                .arg(t.marks[3]).arg(t.marks[2]).arg(t.marks[1]).arg(t.marks[0]),
            {QStringLiteral("Date"), QStringLiteral("Last name"), QStringLiteral("First name"),
             QStringLiteral("Group"), QStringLiteral("Test"), QStringLiteral("Time"), QStringLiteral("Correct"),
             QStringLiteral("Points"), QStringLiteral("Percent"), QStringLiteral("Mark")}};
}
