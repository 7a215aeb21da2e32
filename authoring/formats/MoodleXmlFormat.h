#pragma once
// Moodle XML question banks: multiple choice and true/false, HTML texts with embedded pictures.
#include "ImportReport.h"

#include <QByteArray>

ImportResult importMoodleXml(const QByteArray& bytes);  // throws FormatError
QByteArray exportMoodleXml(const TestDocument& test);   // formatting as HTML, pictures as <file>
