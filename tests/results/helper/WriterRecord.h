#pragma once
// Records that carry the writer and sequence number in every slot, so that a record torn or
// mixed from two writers is told apart from a whole one.
#include "ResultRecord.h"

#include <optional>
#include <utility>

inline RecordBytes writerRecord(int writer, int sequence) {
    ResultRecord r;
    r.FirstName = "w" + std::to_string(writer);
    r.LastName = "s" + std::to_string(sequence);
    r.TestTitle = "Concurrency";
    r.TestDate = 46000;
    r.TimeSpent = "00:01:00";
    for (QuestionSlot& slot : r.Slots) slot.QuestionRow = writer * 100000 + sequence;
    r.QuestionCount = r.QuestionCount2 = SlotCount;
    r.PointsPerAnswer = 1;
    return encodeRecord(r);
}

// The writer and sequence number of a whole record; nothing for a torn or mixed one.
inline std::optional<std::pair<int, int>> writerOf(const std::uint8_t* bytes) {
    const ResultRecord r = decodeRecord(bytes);
    const int id = r.slot(1).QuestionRow;
    const std::pair<int, int> identity{id / 100000, id % 100000};
    if (encodeRecord(r) != writerRecord(identity.first, identity.second)) return std::nullopt;
    return identity;
}
