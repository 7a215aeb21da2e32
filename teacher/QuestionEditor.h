#pragma once
// One rich-text editor for the question and five for its answers, the first of them the correct
// one. The editors show the documents of the edited test; undo and redo keys go to its stack.
#include <QWidget>

#include <array>

class EditedTest;
class QTextDocument;
class QTextEdit;

class QuestionEditor : public QWidget {
    Q_OBJECT
public:
    explicit QuestionEditor(EditedTest& test, QWidget* parent = nullptr);
    void showQuestion(int index);  // -1 shows nothing
    QTextEdit* editor(int slot) const { return editors_[static_cast<std::size_t>(slot)]; }
    QTextEdit* activeEditor() const { return active_; }

signals:
    void activeEditorChanged(QTextEdit* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditedTest& test_;
    std::array<QTextEdit*, 6> editors_{};
    std::array<QTextDocument*, 6> blanks_{};
    QTextEdit* active_ = nullptr;
};
