#pragma once
// Reading a results file record by record, keeping only whole records and naming every stretch
// that is not one (a torn tail, zero padding, damaged bytes) with its offset. Files are opened
// read-only, so workstations can keep appending while they are read.
#include "ResultRecord.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

enum class RecordState { Whole, Empty, Damaged };

// Empty: all zero, as the padding after a torn record. Damaged: fields no writer produces.
RecordState classifyRecord(const std::uint8_t* bytes);  // reads RecordSize bytes

struct StoredRecord {
    ResultRecord record;
    qint64 offset = 0;
    std::size_t fingerprint = 0;  // of the record's bytes: the same record in a copy has the same one
};

struct ResultsFileContents {
    bool readable = false;
    QString error;           // why the file could not be read
    std::vector<StoredRecord> records;
    QStringList problems;    // "FILE: offset N: ...", one per stretch skipped
    qint64 wholeEnd = 0;     // where the last whole record ends: a torn tail may still be completed
};

// Reads from a record boundary on, so a watcher can read only what was appended.
ResultsFileContents readResultsFile(const QString& path, qint64 from = 0);
