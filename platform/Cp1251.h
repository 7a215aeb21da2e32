#pragma once
// Code page 1251 (Windows Cyrillic): the 8-bit text of test files, names and results records.
#include <QString>
#include <string>

QString fromCp1251(const std::string& bytes);
std::string toCp1251(const QString& text);  // characters outside the code page become '?'
char16_t cp1251ToUnicode(unsigned char byte);
