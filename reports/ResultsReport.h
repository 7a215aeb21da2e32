#pragma once
// The results of one or more files as text for teachers: an aligned table, CSV or JSON.
#include "ResultRecord.h"

#include <QString>
#include <vector>

struct ResultRow {
    QString date;  // ISO, from the day count
    QString lastName, firstName, group, test, time;
    int correct = 0, count = 0;
    double points = 0;
};

ResultRow rowOf(const ResultRecord& record);

QString listReport(const std::vector<ResultRow>& rows);
QString csvReport(const std::vector<ResultRow>& rows);   // RFC 4180: CRLF, quoted where needed
QString jsonReport(const std::vector<ResultRow>& rows);

QString csvField(const QString& value);  // quoted when it holds a separator, a quote or edge spaces
