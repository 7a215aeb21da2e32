#pragma once
// Item analysis per test title. Discrimination is the point-biserial correlation of a question
// with the rest of the score (the attempt's correct answers without this question), over the
// attempts that were asked it.
#include "Attempt.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

struct QuestionStats {
    int row = 0;
    int asked = 0, correct = 0, unanswered = 0;
    std::array<int, 5> chosen{};  // chosen[k]: how often answer k + 1 of the row was chosen
    double facility = 0;          // correct / asked
    std::optional<double> discrimination;  // none when the item or the rest score does not vary
    bool tooEasy = false, tooHard = false;
    bool likelyWrongKey = false;  // a wrong answer draws students whose rest score beats the right answer's
};

struct TestStats {
    QString title;
    int attempts = 0;
    std::vector<QuestionStats> questions;  // by row
    std::array<int, 11> scoreDistribution{};  // attempts by percent, in tens: 0-9, ..., 90-99, 100
};

inline constexpr double TooEasyFacility = 0.9, TooHardFacility = 0.2;

std::vector<TestStats> analyseItems(const std::vector<const Attempt*>& attempts);  // by title
QString itemAnalysisJson(const std::vector<TestStats>& tests);
