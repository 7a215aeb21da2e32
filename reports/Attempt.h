#pragma once
// One finished test as the journal shows it: the record, where it was read, and its texts.
#include "ResultsFileReader.h"

#include <QDate>
#include <QString>

struct Attempt {
    ResultRecord record;
    QString file;
    qint64 offset = 0;
    QDate date;
    QString lastName, firstName, group, test, timeSpent;  // printable, from code page 1251
    int seconds = 0;  // of the time spent; 0 when its text is not hh:mm:ss
    int correct = 0, asked = 0;
    double points = 0, percent = 0;
};

Attempt attemptOf(StoredRecord stored, const QString& file);
