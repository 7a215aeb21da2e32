#pragma once
// Date and time texts in the user's regional formats (QLocale's default, which tests pin).
#include <QDate>
#include <QString>

QString shortDateText(const QDate& date);
QString longTimeText(double dayFraction);  // a negative value gets a leading '-'
// The short date made safe to stand in a file name: separators such as '/' become '-'.
QString fileNameDateText(const QDate& date);
QString decimalText(double value);  // up to 15 significant digits, no trailing zeros
