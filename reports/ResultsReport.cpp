#include "ResultsReport.h"

#include "Cp1251.h"
#include "DayCount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <array>

namespace {

// Names come from files anyone can write; control characters would drive the terminal.
QString printable(const std::string& cp1251) {
    QString text = fromCp1251(cp1251);
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = QChar::ReplacementCharacter;
    return text;
}

QString pointsText(double points) { return QString::number(points, 'g', 15); }

constexpr int ColumnCount = 8;

std::array<QString, ColumnCount> listCells(const ResultRow& r) {
    return {r.date, r.lastName, r.firstName, r.group, r.test, r.time,
            QStringLiteral("%1/%2").arg(r.correct).arg(r.count), pointsText(r.points)};
}

}  // namespace

QString csvField(const QString& value) {
    const bool quoted = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                        value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
                        value != value.trimmed();
    if (!quoted) return value;
    QString doubled = value;
    doubled.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

ResultRow rowOf(const ResultRecord& record) {
    ResultRow row;
    row.date = dateOfDayCount(record.TestDate).toString(Qt::ISODate);
    row.lastName = printable(record.LastName);
    row.firstName = printable(record.FirstName);
    row.group = printable(record.Group);
    row.test = printable(record.TestTitle);
    row.time = printable(record.TimeSpent);
    row.correct = record.CorrectCount;
    row.count = record.QuestionCount;
    row.points = record.CorrectCount * double(record.PointsPerAnswer);
    return row;
}

QString listReport(const std::vector<ResultRow>& rows) {
    const std::array<QString, ColumnCount> header = {
        QStringLiteral("Date"), QStringLiteral("Last name"), QStringLiteral("First name"),
        QStringLiteral("Group"), QStringLiteral("Test"), QStringLiteral("Time"),
        QStringLiteral("Correct"), QStringLiteral("Points")};
    std::vector<std::array<QString, ColumnCount>> lines{header};
    for (const ResultRow& row : rows) lines.push_back(listCells(row));
    std::array<qsizetype, ColumnCount> widths{};
    for (const auto& line : lines)
        for (int c = 0; c < ColumnCount; ++c) widths[c] = std::max(widths[c], line[c].size());

    QString text;
    for (const auto& line : lines) {
        QString out;
        for (int c = 0; c < ColumnCount; ++c)
            out += c + 1 < ColumnCount ? line[c].leftJustified(widths[c] + 2) : line[c];
        text += out.trimmed() + QLatin1Char('\n');
    }
    return text;
}

QString csvReport(const std::vector<ResultRow>& rows) {
    QString text = QStringLiteral("date,last_name,first_name,group,test,time,correct,count,points\r\n");
    for (const ResultRow& r : rows) {
        const QStringList fields = {r.date, csvField(r.lastName), csvField(r.firstName), csvField(r.group),
                                    csvField(r.test), csvField(r.time), QString::number(r.correct),
                                    QString::number(r.count), pointsText(r.points)};
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text;
}

QString jsonReport(const std::vector<ResultRow>& rows) {
    QJsonArray array;
    for (const ResultRow& r : rows) {
        array.append(QJsonObject{{"date", r.date},
                                 {"last_name", r.lastName},
                                 {"first_name", r.firstName},
                                 {"group", r.group},
                                 {"test", r.test},
                                 {"time", r.time},
                                 {"correct", r.correct},
                                 {"count", r.count},
                                 {"points", r.points}});
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}
