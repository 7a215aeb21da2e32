#include "TestFile.h"

#include "Cp1251.h"
#include "FileNames.h"
#include "Notices.h"
#include "SharedState.h"
#include "TestTable.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

constexpr qsizetype MostInflatedBytes = qsizetype{64} * 1024 * 1024;
constexpr std::int32_t DefaultQuestionCount = 30;
constexpr std::int32_t DefaultMinutes = 50;
constexpr std::array<const char*, 5> AnswerColumns = {"A1", "A2", "A3", "A4", "A5"};

[[noreturn]] void fail(const char* what) { throw TestFileError(what); }

void loadSettingsBlock(TestTable& table, SharedState& state) {
    try {
        state.QuestionCount = table.int32Value("QuestionCountForAnswer");
        const std::int32_t minutes = table.int32Value("TimeForAnswer");
        state.PointsPerAnswer = static_cast<float>(table.int32Value("AnswerBalls") / 10.0);
        state.TimeLimit = MinutesToTime(minutes);
        state.AllowReturn = table.booleanValue("AllowReturn");
        state.ResultHere = table.booleanValue("ResultHere");
    } catch (const TestFileError&) {
        state.QuestionCount = DefaultQuestionCount;
        state.PointsPerAnswer = 1.0f;
        state.TimeLimit = MinutesToTime(DefaultMinutes);
        state.AllowReturn = true;
        state.ResultHere = false;
    }
}

bool isBlank(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) > 32) return false;
    return true;
}

TestTable& testTableOnTest() {
    TestTable& table = TheTestTable();
    if (!table.isOpen() || table.tableName() != "Test") fail("no test file open");
    return table;
}

// A NULL or empty cell stands for an empty document: a question may have fewer than five answers.
QByteArray documentOf(TestTable& table, const char* column) { return UnpackBlob(table.blobValue(column)); }

// Lines as a list of strings splits them: at CR LF, CR or LF; the text ends at the first NUL.
QStringList splitLines(const QByteArray& text) {
    QStringList lines;
    const qsizetype end = text.contains('\0') ? text.indexOf('\0') : text.size();
    qsizetype at = 0;
    while (at < end) {
        const qsizetype start = at;
        while (at < end && text[at] != '\r' && text[at] != '\n') ++at;
        lines << fromCp1251(text.mid(start, at - start).toStdString());
        if (at < end && text[at] == '\r') ++at;
        if (at < end && text[at] == '\n') ++at;
    }
    return lines;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines) {
        text += QByteArray::fromStdString(toCp1251(line));
        text += "\r\n";
    }
    return text;
}

}  // namespace

bool OpenTestFile(const QString& path) {
    TestTable& table = TheTestTable();
    SharedState& state = Shared();
    try {
        table.close();
        table.setConnection(path);
        table.open("TestInfo");
        table.moveFirst();
        state.TestTitle = table.textValue("TestTitle");
        loadSettingsBlock(table, state);
        if (isBlank(state.TestTitle)) state.TestTitle = toCp1251(fileNameOfPath(path));
        // The result record holds at most SlotCount questions, and a test asks at least one.
        if (state.QuestionCount < 1 || state.QuestionCount > SlotCount) fail("question count out of range");
        table.closeTable();
        table.open("Test");
        table.moveFirst();
        state.QuestionRecordCount = table.rowCount();
        return state.QuestionRecordCount > state.QuestionCount;
    } catch (const std::exception&) {  // TestFileError, or memory running out on a huge file
        ShowNotice(LoadFailedNotice);
        return false;
    }
}

void CloseTestTable() { TheTestTable().close(); }

double MinutesToTime(std::int32_t minutes) {
    const std::int32_t hours = minutes / 60;
    const std::int32_t rest = minutes - 60 * hours;
    if (hours < 0 || hours > 23 || rest < 0 || rest > 59) fail("not a time of day");
    return (hours * 3600 + rest * 60) / 86400.0;
}

// The stream does not tell its inflated size: the buffer starts at a guess and grows while the
// one inflate goes on, up to the limit.
QByteArray UnpackBlob(const QByteArray& compressed) {
    if (compressed.isEmpty()) return {};
    if (compressed.size() > qsizetype{std::numeric_limits<uInt>::max()}) fail("document larger than 4 GiB");
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) fail("inflate unavailable");
    const std::unique_ptr<z_stream, decltype(&inflateEnd)> inflating(&stream, &inflateEnd);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.constData()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    QByteArray inflated;
    qsizetype capacity = std::clamp<qsizetype>(compressed.size() * 4, 4096, MostInflatedBytes);
    for (;;) {
        try {
            inflated.resize(capacity);
        } catch (const std::bad_alloc&) {
            fail("no memory to inflate the document");
        }
        const auto done = static_cast<qsizetype>(stream.total_out);
        stream.next_out = reinterpret_cast<Bytef*>(inflated.data()) + done;
        stream.avail_out = static_cast<uInt>(capacity - done);
        const int status = inflate(&stream, Z_FINISH);  // bytes after the end of the stream are ignored
        if (status == Z_STREAM_END) {
            inflated.truncate(static_cast<qsizetype>(stream.total_out));
            return inflated;
        }
        if (status != Z_BUF_ERROR || stream.avail_out != 0) fail("document does not inflate");
        if (capacity == MostInflatedBytes) fail("document larger than 64 MiB");
        capacity = std::min(MostInflatedBytes, capacity * 4);
    }
}

QStringList LoadAnswer(std::int32_t answer, std::int32_t row) {
    TestTable& table = testTableOnTest();
    table.moveTo(row);
    if (answer < 1 || answer > 5) return {};
    return splitLines(documentOf(table, AnswerColumns[static_cast<std::size_t>(answer - 1)]));
}

QuestionDocuments ReadQuestion(std::int32_t row) {
    TestTable& table = testTableOnTest();
    table.moveTo(row);
    QuestionDocuments documents;
    documents.question = documentOf(table, "Q");
    const std::int32_t position = Shared().CurrentPosition;
    if (position < 1 || position > SlotCount) fail("no question at this position");
    const QuestionSlot& slot = Shared().Record.slot(position);
    for (std::size_t k = 0; k < documents.answers.size(); ++k)
        documents.answers[k] = joinLines(LoadAnswer(slot.AnswerOrder[k], row));
    return documents;
}
