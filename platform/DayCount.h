#pragma once
// Day counts: days since 30 December 1899, the fraction being the part of a day.
#include <QDate>
#include <QTime>

double dayCount(const QDate& date);
double dayFraction(const QTime& time);
QDate dateOfDayCount(double days);
