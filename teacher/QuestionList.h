#pragma once
// The numbered list of questions with their first lines and problem markers, the buttons that
// change the list, and a search by text.
#include <QWidget>

class EditedTest;
class QLineEdit;
class QListWidget;

class QuestionList : public QWidget {
    Q_OBJECT
public:
    explicit QuestionList(EditedTest& test, QWidget* parent = nullptr);
    int currentQuestion() const;
    void selectQuestion(int index);
    QListWidget* list() const { return list_; }

    void addQuestion();
    void duplicateQuestion();
    void deleteQuestion();
    void moveUp();
    void moveDown();

signals:
    void currentQuestionChanged(int index);

private:
    void rebuild();
    void refreshEntry(int index);
    void applySearch();

    EditedTest& test_;
    QListWidget* list_;
    QLineEdit* search_;
};
