#include "TestFileBuilder.h"

#include "Cp1251.h"
#include "TestDocumentFile.h"

#include <QString>
#include <stdexcept>

namespace {

constexpr std::size_t kAnswerCount = 5;

// Settings left unset stay NULL in the file, as fixtures of hand-made files need.
void keepUnset(const char* column, bool isSet, TestDocument& document) {
    if (!isSet) document.unsetSettings.push_back(column);
}

TestSettings settingsOf(const TestSpec& spec, TestDocument& document) {
    TestSettings settings;
    settings.title = QString::fromStdString(spec.title);
    settings.questionsPerTest = spec.questionCountForAnswer.value_or(0);
    settings.minutes = spec.timeForAnswer.value_or(0);
    settings.pointsTenths = spec.answerBalls.value_or(0);
    settings.allowReturn = spec.allowReturn.value_or(false);
    settings.runningScore = spec.resultHere.value_or(false);
    keepUnset("QuestionCountForAnswer", spec.questionCountForAnswer.has_value(), document);
    keepUnset("TimeForAnswer", spec.timeForAnswer.has_value(), document);
    keepUnset("AnswerBalls", spec.answerBalls.has_value(), document);
    keepUnset("AllowReturn", spec.allowReturn.has_value(), document);
    keepUnset("ResultHere", spec.resultHere.has_value(), document);
    return settings;
}

TestDocument documentOf(const TestSpec& spec) {
    TestDocument document;
    document.settings = settingsOf(spec, document);
    for (const QuestionSpec& question : spec.questions) {
        if (question.answers.size() > kAnswerCount)
            throw std::runtime_error("a question has more than five answers");
        AuthoredQuestion authored;
        authored.question = QByteArray::fromStdString(question.question);
        // Answers not given stay NULL, which the program shows as empty documents.
        for (std::size_t k = 0; k < question.answers.size(); ++k)
            authored.answers[k] = QByteArray::fromStdString(question.answers[k]);
        document.questions.push_back(std::move(authored));
    }
    return document;
}

void appendEscaped(std::string& rtf, char16_t c) {
    if (c == '\\' || c == '{' || c == '}') {
        rtf += '\\';
        rtf += static_cast<char>(c);
    } else if (c == '\t') {
        rtf += "\\tab ";
    } else if (c >= 0x20 && c < 0x80) {
        rtf += static_cast<char>(c);
    } else if (c >= 0x80) {
        const std::string inCodePage = toCp1251(QString(QChar(c)));
        if (inCodePage != "?") {
            static const char hex[] = "0123456789abcdef";
            const auto byte = static_cast<unsigned char>(inCodePage[0]);
            rtf += "\\'";
            rtf += hex[byte >> 4];
            rtf += hex[byte & 0xF];
        } else {
            // Not in code page 1251: a Unicode escape, with '?' for readers that skip it.
            rtf += "\\u" + std::to_string(static_cast<std::int16_t>(c)) + "?";
        }
    }
}

}  // namespace

void writeTestFile(const std::string& path, const TestSpec& spec) {
    writeTestDocument(QString::fromStdString(path), documentOf(spec));
}

std::string rtfParagraphs(const std::string& utf8Text) {
    const QString text = QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size()));
    std::string body;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == QChar('\n')) continue;
        if (c == '\r' || c == '\n')
            body += "\\par\r\n";
        else
            appendEscaped(body, c);
    }
    return body;
}

std::string rtfDocument(const std::string& body) {
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
           "\\pard\\f0\\fs24 " +
           body + "\\par\r\n}\r\n";
}

std::string plainTextToRtf(const std::string& utf8Text) { return rtfDocument(rtfParagraphs(utf8Text)); }

std::string pictureRtf(const std::vector<std::uint8_t>& imageBytes, PictureFormat format, int widthPixels,
                       int heightPixels) {
    if (widthPixels <= 0 || heightPixels <= 0) throw std::runtime_error("a picture has no size");
    constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
    std::string rtf = "{\\pict";
    rtf += format == PictureFormat::Png ? "\\pngblip" : "\\jpegblip";
    rtf += "\\picw" + std::to_string(widthPixels) + "\\pich" + std::to_string(heightPixels);
    rtf += "\\picwgoal" + std::to_string(widthPixels * kTwipsPerPixel) + "\\pichgoal" +
           std::to_string(heightPixels * kTwipsPerPixel) + "\r\n";
    static const char hex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < imageBytes.size(); ++i) {
        rtf += hex[imageBytes[i] >> 4];
        rtf += hex[imageBytes[i] & 0xF];
        if (i % 64 == 63) rtf += "\r\n";
    }
    rtf += "}";
    return rtf;
}
