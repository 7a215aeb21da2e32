#pragma once
// What the student program would stumble on in one question, as short texts for the list.
#include <QStringList>

class EditedTest;

constexpr qsizetype LargestPictureBytes = 1024 * 1024;

QStringList questionProblems(EditedTest& test, int index);
