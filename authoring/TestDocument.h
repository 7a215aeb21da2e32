#pragma once
// One test as the teacher edits it: its settings and its questions. Documents are RTF bytes as
// the test file holds them once inflated; an empty document stands for an empty slot.
#include <QByteArray>
#include <QString>
#include <array>
#include <string>
#include <vector>

struct TestSettings {
    QString title;
    int questionsPerTest = 10;  // QuestionCountForAnswer, 1..100
    int minutes = 20;           // TimeForAnswer, 0..1439
    int pointsTenths = 10;      // AnswerBalls: points for one correct answer, times ten
    bool allowReturn = true;
    bool runningScore = false;  // ResultHere
};

struct AuthoredQuestion {
    QByteArray question;
    std::array<QByteArray, 5> answers;  // answers[0] is the correct one
};

struct TestDocument {
    TestSettings settings;
    std::vector<AuthoredQuestion> questions;
    // TestInfo columns the file leaves NULL (the reader takes them as 0 or false); they stay
    // NULL when written, so a file made by hand keeps meaning the same to the student program.
    std::vector<std::string> unsetSettings;
};
