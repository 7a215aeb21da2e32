#include "TestRun.h"

#include "Random.h"
#include "SharedState.h"

#include <algorithm>
#include <vector>

namespace {

bool unanswered(int position) { return Shared().Record.slot(position).ChosenBox < 1; }

}  // namespace

int QuestionsInTest() { return std::clamp<int>(Shared().QuestionCount, 1, SlotCount); }

void ResetRun() {
    SharedState& s = Shared();
    for (int p = 1; p <= QuestionsInTest(); ++p) s.Record.slot(p).ChosenBox = 0;
    s.Record.CorrectCount = 0;
    s.Record.TimeSpent.clear();
    s.CurrentPosition = 0;
    s.StartTime = 0;
}

void DrawQuestions(std::int32_t rowCount) {
    SharedState& s = Shared();
    Reseed();
    Random& random = ProcessRandom();
    std::vector<bool> drawn(static_cast<std::size_t>(rowCount) + 1, false);
    const int count = std::min<int>(QuestionsInTest(), rowCount);
    for (int i = 0; i < count; ++i) {
        std::uint32_t row;
        do {
            row = 1 + random.draw(static_cast<std::uint32_t>(rowCount));
        } while (drawn[row]);
        drawn[row] = true;
        s.QuestionDraw[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(row);
    }
}

void ShuffleAnswers() {
    auto& order = Shared().AnswerOrder;
    order = {1, 2, 3, 4, 5};
    Reseed();
    Random& random = ProcessRandom();
    for (int i = 0; i < 17; ++i) {
        const std::uint32_t k = 1 + random.draw(5);
        const std::int32_t v = order[k - 1];
        std::swap(order[0], order[static_cast<std::size_t>(v - 1)]);
    }
}

void PrepareQuestions() {
    SharedState& s = Shared();
    DrawQuestions(s.QuestionRecordCount);
    for (int p = 1; p <= QuestionsInTest(); ++p) {
        s.Record.slot(p).QuestionRow = s.QuestionDraw[static_cast<std::size_t>(p - 1)];
        ShuffleAnswers();
        s.Record.slot(p).AnswerOrder = s.AnswerOrder;
    }
}

std::int32_t CountCorrect() {
    std::int32_t correct = 0;
    for (int p = 1; p <= QuestionsInTest(); ++p)
        if (Shared().Record.slot(p).isCorrect()) ++correct;
    return correct;
}

std::int32_t FindNextUnanswered(std::int32_t position) {
    const int count = QuestionsInTest();
    for (int q = std::max(position, 1); q <= count; ++q)
        if (unanswered(q)) return q;
    for (int q = 1; q <= count; ++q)
        if (unanswered(q)) return q;
    return -1;
}

std::int32_t FindPrevUnanswered(std::int32_t position) {
    const int count = QuestionsInTest();
    for (int q = std::min(position, count); q >= 1; --q)
        if (unanswered(q)) return q;
    for (int q = count; q >= 1; --q)
        if (unanswered(q)) return q;
    return -1;
}
