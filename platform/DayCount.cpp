#include "DayCount.h"

#include <cmath>

namespace {
const QDate dayZero(1899, 12, 30);
}

double dayCount(const QDate& date) { return static_cast<double>(dayZero.daysTo(date)); }

double dayFraction(const QTime& time) { return time.msecsSinceStartOfDay() / 86400000.0; }

QDate dateOfDayCount(double days) { return dayZero.addDays(static_cast<qint64>(std::floor(days))); }
