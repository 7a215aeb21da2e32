#pragma once
// Builds a .qzt test file from a description: tables TestInfo and Test, texts packed with zlib.
#include <optional>
#include <string>
#include <vector>

struct QuestionSpec {
    std::string question;                 // RTF bytes as stored before packing
    std::vector<std::string> answers;     // five RTF documents; answers[0] is the correct one
};

struct TestSpec {
    std::string title;                    // UTF-8
    std::optional<int> questionCountForAnswer = 10, timeForAnswer = 20, answerBalls = 10;
    std::optional<bool> allowReturn = true, resultHere = false;
    std::vector<QuestionSpec> questions;
};

void writeTestFile(const std::string& path, const TestSpec& spec);  // throws std::runtime_error
std::string plainTextToRtf(const std::string& utf8Text);            // a cp1251 RTF document
