#include "ResultRecord.h"

#include "LittleEndian.h"

#include <algorithm>

namespace L = RecordLayout;

namespace {

void putShortString(std::uint8_t* at, const std::string& value, std::size_t capacity) {
    const std::string kept = cutToCapacity(value, capacity);
    at[0] = static_cast<std::uint8_t>(kept.size());
    std::copy(kept.begin(), kept.end(), at + 1);
}

std::string getShortString(const std::uint8_t* at, std::size_t capacity) {
    const std::size_t length = std::min<std::size_t>(at[0], capacity);
    return std::string(reinterpret_cast<const char*>(at + 1), length);
}

void putSlot(std::uint8_t* at, const QuestionSlot& slot) {
    putI32(at + L::SlotQuestionRow, slot.QuestionRow);
    for (std::size_t b = 0; b < 5; ++b) putI32(at + L::SlotAnswerOrder + 4 * b, slot.AnswerOrder[b]);
    putI32(at + L::SlotChosenBox, slot.ChosenBox);
}

QuestionSlot getSlot(const std::uint8_t* at) {
    QuestionSlot slot;
    slot.QuestionRow = getI32(at + L::SlotQuestionRow);
    for (std::size_t b = 0; b < 5; ++b) slot.AnswerOrder[b] = getI32(at + L::SlotAnswerOrder + 4 * b);
    slot.ChosenBox = getI32(at + L::SlotChosenBox);
    return slot;
}

}  // namespace

std::string cutToCapacity(const std::string& value, std::size_t capacity) {
    return value.size() > capacity ? value.substr(0, capacity) : value;
}

RecordBytes encodeRecord(const ResultRecord& record) {
    RecordBytes bytes{};
    std::uint8_t* b = bytes.data();
    putShortString(b + L::FirstName, record.FirstName, L::NameCapacity);
    putShortString(b + L::LastName, record.LastName, L::NameCapacity);
    putShortString(b + L::Group, record.Group, L::GroupCapacity);
    putShortString(b + L::TestTitle, record.TestTitle, L::TitleCapacity);
    putF64(b + L::TestDate, record.TestDate);
    putShortString(b + L::TimeSpent, record.TimeSpent, L::TimeSpentCapacity);
    for (std::size_t i = 0; i < record.Slots.size(); ++i)
        putSlot(b + L::Slots + L::SlotSize * i, record.Slots[i]);
    putI32(b + L::CorrectCount, record.CorrectCount);
    putI32(b + L::QuestionCount, record.QuestionCount);
    putI32(b + L::QuestionCount2, record.QuestionCount2);
    putF32(b + L::PointsPerAnswer, record.PointsPerAnswer);
    return bytes;
}

ResultRecord decodeRecord(const std::uint8_t* b) {
    ResultRecord record;
    record.FirstName = getShortString(b + L::FirstName, L::NameCapacity);
    record.LastName = getShortString(b + L::LastName, L::NameCapacity);
    record.Group = getShortString(b + L::Group, L::GroupCapacity);
    record.TestTitle = getShortString(b + L::TestTitle, L::TitleCapacity);
    record.TestDate = getF64(b + L::TestDate);
    record.TimeSpent = getShortString(b + L::TimeSpent, L::TimeSpentCapacity);
    for (std::size_t i = 0; i < record.Slots.size(); ++i)
        record.Slots[i] = getSlot(b + L::Slots + L::SlotSize * i);
    record.CorrectCount = getI32(b + L::CorrectCount);
    record.QuestionCount = getI32(b + L::QuestionCount);
    record.QuestionCount2 = getI32(b + L::QuestionCount2);
    record.PointsPerAnswer = getF32(b + L::PointsPerAnswer);
    return record;
}
