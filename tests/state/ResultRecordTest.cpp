#include "ResultRecord.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

// The record as another program would lay it out, written byte by byte at literal offsets.
RecordBytes handLaidRecord() {
    RecordBytes b{};
    const char* first = "\xC8\xE2\xE0\xED";  // Иван
    b[0] = 4;
    std::memcpy(&b[1], first, 4);
    b[31] = 3;
    std::memcpy(&b[32], "Lee", 3);
    b[62] = 5;
    std::memcpy(&b[63], "AB-12", 5);
    b[73] = 4;
    std::memcpy(&b[74], "Math", 4);
    const unsigned char date[8] = {0, 0, 0, 0, 0, 0x76, 0xE6, 0x40};  // 46000.0
    std::memcpy(&b[200], date, 8);
    b[208] = 8;
    std::memcpy(&b[209], "00:12:34", 8);
    // Slot 1: row 7, order 3 1 5 2 4, box 2. Slot 100: row 258.
    const int order[5] = {3, 1, 5, 2, 4};
    b[252] = 7;
    for (int i = 0; i < 5; ++i) b[256 + 4 * i] = static_cast<std::uint8_t>(order[i]);
    b[280] = 2;
    b[252 + 32 * 99] = 0x02;
    b[252 + 32 * 99 + 1] = 0x01;
    b[3452] = 1;
    b[3456] = 10;
    b[3460] = 11;  // the copy differs here, so that neither field can be read from the other's place
    const unsigned char half[4] = {0, 0, 0, 0x3F};  // 0.5f
    std::memcpy(&b[3464], half, 4);
    return b;
}

ResultRecord knownRecord() {
    ResultRecord r;
    r.FirstName = "\xC8\xE2\xE0\xED";
    r.LastName = "Lee";
    r.Group = "AB-12";
    r.TestTitle = "Math";
    r.TestDate = 46000;
    r.TimeSpent = "00:12:34";
    r.slot(1).QuestionRow = 7;
    r.slot(1).AnswerOrder = {3, 1, 5, 2, 4};
    r.slot(1).ChosenBox = 2;
    r.slot(100).QuestionRow = 258;
    r.CorrectCount = 1;
    r.QuestionCount = 10;
    r.QuestionCount2 = 11;
    r.PointsPerAnswer = 0.5f;
    return r;
}

}  // namespace

TEST(ResultRecord, EncodesEveryFieldAtItsOffset) {
    EXPECT_EQ(encodeRecord(knownRecord()), handLaidRecord());
}

TEST(ResultRecord, DecodesWhatItEncodesByteIdentically) {
    RecordBytes bytes = handLaidRecord();
    bytes[3460] = 11;  // the second copy of the count differs, so the two offsets can be told apart
    const ResultRecord decoded = decodeRecord(bytes.data());
    EXPECT_EQ(decoded.QuestionCount, 10);
    EXPECT_EQ(decoded.QuestionCount2, 11);
    EXPECT_EQ(decoded.FirstName, "\xC8\xE2\xE0\xED");
    EXPECT_EQ(decoded.slot(1).AnswerOrder, (std::array<std::int32_t, 5>{3, 1, 5, 2, 4}));
    EXPECT_EQ(decoded.slot(100).QuestionRow, 258);
    EXPECT_EQ(decoded.CorrectCount, 1);
    EXPECT_EQ(decoded.QuestionCount, 10);
    EXPECT_EQ(decoded.QuestionCount2, 11);
    EXPECT_FLOAT_EQ(decoded.PointsPerAnswer, 0.5f);
    EXPECT_EQ(encodeRecord(decoded), bytes);
}

TEST(ResultRecord, CutsShortStringsAtTheirCapacity) {
    struct Case {
        std::string ResultRecord::*field;
        std::size_t offset, capacity;
    };
    for (const Case& c : {Case{&ResultRecord::FirstName, 0, 30}, Case{&ResultRecord::LastName, 31, 30},
                          Case{&ResultRecord::Group, 62, 10}, Case{&ResultRecord::TestTitle, 73, 120},
                          Case{&ResultRecord::TimeSpent, 208, 8}}) {
        ResultRecord r;
        r.*c.field = std::string(c.capacity + 10, '\xE0');
        const RecordBytes bytes = encodeRecord(r);
        EXPECT_EQ(bytes[c.offset], c.capacity);
        EXPECT_EQ(bytes[c.offset + c.capacity], 0xE0);
        EXPECT_EQ(decodeRecord(bytes.data()).*c.field, std::string(c.capacity, '\xE0'));
    }
}

TEST(ResultRecord, ShorterValueLeavesNoTailOfTheEarlierOne) {
    ResultRecord r;
    r.FirstName = "Alexandra";
    r.FirstName = "Ann";
    const RecordBytes bytes = encodeRecord(r);
    EXPECT_EQ(bytes[0], 3);
    for (std::size_t i = 4; i <= 30; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(ResultRecord, ReservedStretchesStayZero) {
    ResultRecord r = knownRecord();
    for (auto& slot : r.Slots) slot = {0x7FFFFFFF, {5, 4, 3, 2, 1}, 5};
    r.TestTitle.assign(200, 'x');
    r.TimeSpent.assign(20, 'y');
    const RecordBytes bytes = encodeRecord(r);
    auto allZero = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = from; i < from + count; ++i)
            if (bytes[i] != 0) return false;
        return true;
    };
    EXPECT_TRUE(allZero(194, 6));
    EXPECT_TRUE(allZero(217, 35));
    EXPECT_TRUE(allZero(3468, 4));
    for (int p = 0; p < 100; ++p) EXPECT_TRUE(allZero(252 + 32 * p + 24, 4)) << p;
}

TEST(ResultRecord, ALengthByteBeyondCapacityReadsOnlyTheField) {
    RecordBytes bytes{};
    bytes[62] = 200;  // group, capacity 10
    std::memset(&bytes[63], 'g', 10);
    EXPECT_EQ(decodeRecord(bytes.data()).Group, std::string(10, 'g'));
}
