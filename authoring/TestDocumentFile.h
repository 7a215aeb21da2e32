#pragma once
// A TestDocument in a .qzt file: read with the student program's reader, written whole by the Jet
// writer into a temporary file beside the target and renamed over it, so a failed save leaves
// the old file as it was.
#include "TestDocument.h"

#include <QString>

#include <stdexcept>

class TestDocumentSaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

TestDocument readTestDocument(const QString& path);                   // throws TestFileError
void writeTestDocument(const QString& path, const TestDocument& document);  // throws TestDocumentSaveError
