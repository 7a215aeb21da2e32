#pragma once
// One test as the teacher edits it: its settings and its questions. Documents are RTF bytes as
// the test file holds them once inflated; an empty document stands for an empty slot.
#include <QByteArray>
#include <QString>
#include <array>
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
};
