#pragma once
// The text of a bank file: UTF-8 (with or without a byte-order mark), UTF-16 with a mark, or
// cp1251 as older Windows programs save it. Throws FormatError for anything else.
#include <QByteArray>
#include <QString>

QString decodeBankText(const QByteArray& bytes);
