#pragma once
// The procedures on the result record: reset, draws, scoring and the unanswered searches.
#include <cstdint>

void ResetRun();
void DrawQuestions(std::int32_t rowCount);
void ShuffleAnswers();
void PrepareQuestions();
std::int32_t CountCorrect();
std::int32_t FindNextUnanswered(std::int32_t position);  // -1 when every question has an answer
std::int32_t FindPrevUnanswered(std::int32_t position);
