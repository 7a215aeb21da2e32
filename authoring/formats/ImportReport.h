#pragma once
// What an import made of a question bank: the test, and an account of every question that was
// changed to fit or left out.
#include "TestDocument.h"

#include <QString>

#include <stdexcept>
#include <vector>

struct ImportWarning {
    int question = 0;  // index into TestDocument::questions
    QString reason;
};

struct SkippedQuestion {
    QString title;     // the question's title, or its first line
    QString position;  // "line 12", "question 3", "row 7"
    QString reason;
};

struct ImportReport {
    int imported = 0;
    std::vector<ImportWarning> warned;
    std::vector<SkippedQuestion> skipped;
};

struct ImportResult {
    TestDocument document;
    ImportReport report;
};

// A file that is not in the format, truncated, in an unknown encoding or with a broken picture.
// The message names the place: "line 4: ...".
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    FormatError(const QString& position, const QString& what)
        : std::runtime_error((position + ": " + what).toStdString()) {}
};
