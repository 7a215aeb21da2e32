#pragma once
// Builds a .qzt test file from a description, through the test document model.
#include "DocumentPacking.h"

#include <cstdint>
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

// Pieces of RTF for documents with pictures: escaped paragraphs of plain text, a picture group
// with its data in hex, and the document frame (cp1251, one Cyrillic font) around a body.
enum class PictureFormat { Png, Jpeg };
std::string rtfParagraphs(const std::string& utf8Text);
std::string pictureRtf(const std::vector<std::uint8_t>& imageBytes, PictureFormat format, int widthPixels,
                       int heightPixels);
std::string rtfDocument(const std::string& body);
