#pragma once
// Reading bytes at a file offset in one call, without moving through a separate seek.
#include <QFile>

// Reads up to bytes at offset into data; returns how many were read, or -1 on an error.
qint64 readAt(QFile& file, qint64 offset, char* data, qint64 bytes);
