#pragma once
// qzt list and qzt dump: a test file as the program reads it, through the program's own reader.
#include <QString>
#include <QTextStream>

// Settings, acceptance and the first line of every question. Returns the exit code.
int listTestFile(const QString& path, QTextStream& out, QTextStream& err);
// Settings, then every question with its five answers as plain text, the correct one marked.
int dumpTestFile(const QString& path, QTextStream& out, QTextStream& err);
