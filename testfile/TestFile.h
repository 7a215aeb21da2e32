#pragma once
// Test files (.qzt): opening and accepting one, and reading a question with its five answers.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <stdexcept>

// Shown when a test file, or a question in it, cannot be read.
inline const QString LoadFailedNotice = QStringLiteral("Не удалось загрузить файл тестов");

// Raised by the reading side (ReadQuestion, LoadAnswer, UnpackBlob) for anything that fails.
class TestFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens the file in TestTable, loads the test settings into the shared state and accepts the
// file only if table Test has more rows than a test asks. Shows "Не удалось загрузить файл
// тестов" itself when the load fails with an error.
bool OpenTestFile(const QString& path);
void CloseTestTable();

// minutes 0..1439 as a day fraction; throws TestFileError otherwise.
double MinutesToTime(std::int32_t minutes);

// Inflates one whole zlib stream; throws TestFileError on a bad stream or an absurd size.
QByteArray UnpackBlob(const QByteArray& compressed);

// Lines of the inflated text of answer A1..A5 of the row; empty for other answer numbers.
QStringList LoadAnswer(std::int32_t answer, std::int32_t row);

// The bytes each view receives: the question as inflated, and for view k the answer
// AnswerOrder[k] of the slot at CurrentPosition, each line followed by CR LF.
struct QuestionDocuments {
    QByteArray question;
    std::array<QByteArray, 5> answers;  // answers[k - 1] goes to view k
};
QuestionDocuments ReadQuestion(std::int32_t row);
