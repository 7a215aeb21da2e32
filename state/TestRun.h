#pragma once
// The procedures on the result record: reset, draws, scoring and the unanswered searches.
#include <cstdint>

// QuestionCount held within the record's slots, 1 to 100. Opening a test file refuses counts
// outside that range; this keeps every loop over the positions inside the record regardless.
int QuestionsInTest();

void ResetRun();
void DrawQuestions(std::int32_t rowCount);
void ShuffleAnswers();
void PrepareQuestions();
std::int32_t CountCorrect();
std::int32_t FindNextUnanswered(std::int32_t position);  // -1 when every question has an answer
std::int32_t FindPrevUnanswered(std::int32_t position);
