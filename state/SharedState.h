#pragma once
// The one block of state that every step of the main loop reads and writes.
// Names and titles are code page 1251 bytes; paths are native QStrings.
#include "ResultRecord.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>

struct SharedState {
    // Configuration, fixed at start-up.
    QString TodayText, ResultsFilePath, TestPath, LocalResultsFile, CmdLineTestFile;
    QStringList TestFileList;
    QString SharedResultsFile;
    std::uint8_t ContinueFlag = 0;

    // Settings of the open test file.
    std::string TestTitle;
    std::int32_t QuestionCount = 0;
    double TimeLimit = 0;  // day fraction
    float PointsPerAnswer = 0;
    bool AllowReturn = false;
    bool ResultHere = false;
    std::int32_t QuestionRecordCount = 0;

    // The student, as confirmed at registration.
    std::string FirstName, LastName, Group;

    // The running test.
    std::int32_t CurrentPosition = 0;
    std::int32_t PendingAnswer = 0;
    std::int32_t AnsweredCount = 0;
    double StartTime = 0;    // time of day the test started, as a day fraction
    double ElapsedTime = 0;  // day fraction

    ResultRecord Record;
    std::array<std::int32_t, 5> AnswerOrder{};  // result of the last ShuffleAnswers
    std::array<std::int32_t, SlotCount> QuestionDraw{};
};

SharedState& Shared();
