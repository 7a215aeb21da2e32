#include "TextCase.h"

namespace {

constexpr int CaseDistance = 32;
constexpr unsigned char Apostrophe = 39;

bool isSmallCyrillic(unsigned char c) { return c >= 224; }
bool isSmallLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || isSmallCyrillic(c); }
bool isCapitalLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 223); }

}  // namespace

std::string UpperCaseRu(const std::string& text) {
    std::string result = text;
    for (char& ch : result)
        if (isSmallLetter(static_cast<unsigned char>(ch))) ch = static_cast<char>(ch - CaseDistance);
    return result;
}

std::string LowerCaseRu(const std::string& text) {
    std::string result = text;
    for (char& ch : result)
        if (isCapitalLetter(static_cast<unsigned char>(ch))) ch = static_cast<char>(ch + CaseDistance);
    return result;
}

std::string CapitalizeWords(const std::string& text) {
    std::string result = LowerCaseRu(text);
    bool wordStart = true;
    for (char& ch : result) {
        const auto c = static_cast<unsigned char>(ch);
        if (wordStart && isSmallCyrillic(c)) {
            ch = static_cast<char>(c - CaseDistance);
            wordStart = false;
        } else if (c != Apostrophe && !isSmallCyrillic(c)) {
            wordStart = true;
        }
    }
    return result;
}
