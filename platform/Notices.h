#pragma once
// Plain notices and Yes/No questions. The windows call these; tests put a recorder in their place.
#include <QString>

inline const QString ApplicationTitle = QStringLiteral("Quizzard v0.7.1");
inline const QString QuestionCaption = QStringLiteral("Quizzard");

class Notices {
public:
    virtual ~Notices() = default;
    virtual void notice(const QString& text) = 0;   // one OK button, no icon
    virtual bool question(const QString& text) = 0;  // Yes/No; true for Yes
};

void setNotices(Notices* replacement);
void ShowNotice(const QString& text);
bool AskQuestion(const QString& text);
