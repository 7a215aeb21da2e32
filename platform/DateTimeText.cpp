#include "DateTimeText.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cmath>

namespace {

// Qt's long time format carries the time zone; the regional long time format has none.
QString longTimeFormat() {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return format.trimmed();
}

}  // namespace

QString shortDateText(const QDate& date) { return QLocale().toString(date, QLocale::ShortFormat); }

QString longTimeText(double dayFraction) {
    const bool negative = dayFraction < 0;
    const double magnitude = std::fabs(dayFraction);
    const double withinDay = magnitude - std::floor(magnitude);
    const int ms = static_cast<int>(std::llround(withinDay * 86400000.0) % 86400000);
    const QString text = QLocale().toString(QTime::fromMSecsSinceStartOfDay(ms), longTimeFormat());
    return negative ? QStringLiteral("-") + text : text;
}

QString fileNameDateText(const QDate& date) {
    QString text = shortDateText(date);
    for (QChar& c : text)
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('-');
    return text;
}

QString decimalText(double value) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}
