#pragma once
// One test run, and byte for byte one record of a results file (.qzr).
#include <array>
#include <cstdint>
#include <string>

inline constexpr std::size_t RecordSize = 3472;
inline constexpr int SlotCount = 100;

namespace RecordLayout {
inline constexpr std::size_t FirstName = 0, LastName = 31, Group = 62, TestTitle = 73;
inline constexpr std::size_t TestDate = 200, TimeSpent = 208, Slots = 252, SlotSize = 32;
inline constexpr std::size_t CorrectCount = 3452, QuestionCount = 3456, QuestionCount2 = 3460;
inline constexpr std::size_t PointsPerAnswer = 3464;
inline constexpr std::size_t SlotQuestionRow = 0, SlotAnswerOrder = 4, SlotChosenBox = 28;
inline constexpr std::size_t NameCapacity = 30, GroupCapacity = 10, TitleCapacity = 120;
inline constexpr std::size_t TimeSpentCapacity = 8;
}  // namespace RecordLayout

struct QuestionSlot {
    std::int32_t QuestionRow = 0;
    std::array<std::int32_t, 5> AnswerOrder{};  // AnswerOrder[b - 1]: answer shown in box b
    std::int32_t ChosenBox = 0;                 // box 1 to 5 committed, 0 unanswered
    bool isCorrect() const { return ChosenBox >= 1 && ChosenBox <= 5 && AnswerOrder[ChosenBox - 1] == 1; }
};

// Texts are code page 1251 bytes. Short strings longer than their field are cut when encoded.
struct ResultRecord {
    std::string FirstName, LastName, Group, TestTitle;
    double TestDate = 0;
    std::string TimeSpent;
    std::array<QuestionSlot, SlotCount> Slots{};  // Slots[p - 1] is slot p
    std::int32_t CorrectCount = 0, QuestionCount = 0, QuestionCount2 = 0;
    float PointsPerAnswer = 0;

    QuestionSlot& slot(int position) { return Slots[static_cast<std::size_t>(position - 1)]; }
    const QuestionSlot& slot(int position) const { return Slots[static_cast<std::size_t>(position - 1)]; }
};

using RecordBytes = std::array<std::uint8_t, RecordSize>;

// Unused bytes of short strings and all reserved stretches are written as zero.
RecordBytes encodeRecord(const ResultRecord& record);
ResultRecord decodeRecord(const std::uint8_t* bytes);  // reads RecordSize bytes

// A value as its field keeps it: at most capacity characters.
std::string cutToCapacity(const std::string& value, std::size_t capacity);
