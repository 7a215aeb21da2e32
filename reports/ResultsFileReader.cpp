#include "ResultsFileReader.h"

#include "LittleEndian.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace L = RecordLayout;

namespace {

constexpr double LastDay = 2958465;  // 31 December 9999 as a day count
constexpr std::int32_t MaxQuestionRow = 1000000;  // far beyond any test table a teacher writes

bool lengthFits(const std::uint8_t* bytes, std::size_t field, std::size_t capacity) {
    return bytes[field] <= capacity;
}

// Slots a writer filled hold a row number, answers 1..5 and a box 0..5; zeros stand for no detail.
bool slotsPlausible(const std::uint8_t* b, std::int32_t count) {
    for (std::int32_t p = 0; p < count; ++p) {
        const std::uint8_t* slot = b + L::Slots + std::size_t(p) * L::SlotSize;
        const std::int32_t row = getI32(slot + L::SlotQuestionRow);
        const std::int32_t box = getI32(slot + L::SlotChosenBox);
        if (row < 0 || row > MaxQuestionRow || box < 0 || box > 5) return false;
        for (std::size_t a = 0; a < 5; ++a) {
            const std::int32_t answer = getI32(slot + L::SlotAnswerOrder + 4 * a);
            if (answer < 0 || answer > 5) return false;
        }
    }
    return true;
}

bool fieldsPlausible(const std::uint8_t* b) {
    const std::int32_t count = getI32(b + L::QuestionCount);
    const std::int32_t correct = getI32(b + L::CorrectCount);
    const double date = getF64(b + L::TestDate);
    const float points = getF32(b + L::PointsPerAnswer);
    return lengthFits(b, L::FirstName, L::NameCapacity) && lengthFits(b, L::LastName, L::NameCapacity) &&
           lengthFits(b, L::Group, L::GroupCapacity) && lengthFits(b, L::TestTitle, L::TitleCapacity) &&
           lengthFits(b, L::TimeSpent, L::TimeSpentCapacity) && count >= 1 && count <= SlotCount &&
           getI32(b + L::QuestionCount2) == count && correct >= 0 && correct <= count &&
           std::isfinite(date) && date == std::floor(date) && date >= 1 && date <= LastDay &&
           std::isfinite(points) && points >= 0 && slotsPlausible(b, count);
}

QString problem(const QString& path, qint64 offset, const QString& what) {
    return QStringLiteral("%1: offset %2: %3").arg(path).arg(offset).arg(what);
}

// Fills the buffer unless the file ends first; a pipe may hand over less than asked at a time.
qint64 readUpTo(QFile& file, std::uint8_t* into, qint64 wanted) {
    qint64 total = 0;
    while (total < wanted) {
        const qint64 got = file.read(reinterpret_cast<char*>(into) + total, wanted - total);
        if (got < 0) return -1;
        if (got == 0) break;
        total += got;
    }
    return total;
}

}  // namespace

RecordState classifyRecord(const std::uint8_t* bytes) {
    if (std::all_of(bytes, bytes + RecordSize, [](std::uint8_t b) { return b == 0; }))
        return RecordState::Empty;
    return fieldsPlausible(bytes) ? RecordState::Whole : RecordState::Damaged;
}

ResultsFileContents readResultsFile(const QString& path, qint64 from) {
    ResultsFileContents contents;
    contents.wholeEnd = from;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        // A device such as /dev/zero never ends; only files hold records.
        contents.error = QStringLiteral("not a regular file");
        return contents;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || (from > 0 && !file.seek(from))) {
        contents.error = file.errorString();
        return contents;
    }
    contents.records.reserve(std::size_t(std::max<qint64>(0, file.size() - from) / qint64(RecordSize)));
    RecordBytes bytes{};
    for (qint64 offset = from;; offset += qint64(RecordSize)) {
        const qint64 got = readUpTo(file, bytes.data(), qint64(RecordSize));
        if (got < 0) {
            contents.error = file.errorString();
            return contents;
        }
        if (got == 0) break;
        if (got < qint64(RecordSize)) {
            contents.problems << problem(path, offset,
                                         QStringLiteral("partial record of %1 bytes at the end, skipped").arg(got));
            break;
        }
        contents.wholeEnd = offset + qint64(RecordSize);
        switch (classifyRecord(bytes.data())) {
        case RecordState::Whole:
            contents.records.push_back({decodeRecord(bytes.data()), offset,
                                        qHash(QByteArrayView(bytes.data(), qsizetype(RecordSize)))});
            break;
        case RecordState::Empty: contents.problems << problem(path, offset, QStringLiteral("empty record (zero padding), skipped")); break;
        case RecordState::Damaged: contents.problems << problem(path, offset, QStringLiteral("damaged record, skipped")); break;
        }
    }
    contents.readable = true;
    return contents;
}
