#include "Attempt.h"

#include "ResultsReport.h"

#include <QTime>

namespace {

int secondsOf(const QString& text) {
    const QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0;
}

}  // namespace

Attempt attemptOf(StoredRecord stored, const QString& file) {
    const ResultRow row = rowOf(stored.record);
    Attempt a;
    a.record = std::move(stored.record);
    a.file = file;
    a.offset = stored.offset;
    a.date = QDate::fromString(row.date, Qt::ISODate);
    a.lastName = row.lastName;
    a.firstName = row.firstName;
    a.group = row.group;
    a.test = row.test;
    a.timeSpent = row.time;
    a.seconds = secondsOf(row.time);
    a.correct = row.correct;
    a.asked = row.count;
    a.points = row.points;
    a.percent = a.asked > 0 ? 100.0 * a.correct / a.asked : 0;
    return a;
}
