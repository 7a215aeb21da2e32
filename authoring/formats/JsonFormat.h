#pragma once
// The JSON description that `qzt write` reads: title, settings, and five documents per question.
#include "ImportReport.h"

#include <QByteArray>
#include <QString>

ImportResult importJsonDescription(const QString& path);  // throws FormatError
QByteArray exportJsonDescription(const TestDocument& test);
