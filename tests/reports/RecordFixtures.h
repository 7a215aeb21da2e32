#pragma once
// Records with known answers, written to files as a workstation would write them.
#include "ResultRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

// answers[i]: the answer chosen for row i + 1 (0 unanswered). Boxes show the answers reversed,
// so a reader that takes the box for the answer is caught.
ResultRecord answeredRecord(const char* last, const char* group, const char* title, QDate date,
                            const std::vector<int>& answers);
QByteArray bytesOf(const std::vector<ResultRecord>& records);
void writeFile(const QString& path, const QByteArray& bytes);
void appendToFile(const QString& path, const QByteArray& bytes);
