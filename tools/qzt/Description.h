#pragma once
// The teacher's JSON description of a test, read into a TestSpec for writeTestFile.
#include "TestFileBuilder.h"

#include <QString>

#include <stdexcept>

class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Pictures are found relative to the folder of the JSON file. Throws DescriptionError that
// names the place of the fault, e.g. "questions[3].answers[1]: ...".
TestSpec readDescription(const QString& jsonPath);
