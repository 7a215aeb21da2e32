#pragma once
// Reading a results file record by record, keeping only whole records and naming every stretch
// that is not one (a torn tail, zero padding, damaged bytes) with its offset.
#include "ResultRecord.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

enum class RecordState { Whole, Empty, Damaged };

// Empty: all zero, as the padding after a torn record. Damaged: fields no writer produces.
RecordState classifyRecord(const std::uint8_t* bytes);  // reads RecordSize bytes

struct ResultsFileContents {
    bool readable = false;
    QString error;           // why the file could not be read
    std::vector<ResultRecord> records;
    QStringList problems;    // "FILE: offset N: ...", one per stretch skipped
};

ResultsFileContents readResultsFile(const QString& path);
