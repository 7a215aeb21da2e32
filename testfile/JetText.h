#pragma once
// Text as Jet 4 stores it: UCS-2 little-endian, or "compressed" runs of one byte per character
// (marked by a leading FF FE, a NUL byte switching between the two modes).
#include <QByteArray>
#include <QString>

QString decodeJetText(const QByteArray& stored);
