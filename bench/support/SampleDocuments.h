#pragma once
// Documents shaped like the test questions a word processor writes.
#include <QByteArray>

QByteArray typicalQuestion();          // about 2 KB: header tables, Cyrillic text, formats, a formula
QByteArray questionWithPicture();      // about 300 KB: the same with a large PNG picture in hex
