#pragma once
// The test open in the editor: the model from authoring/ plus, for each question the teacher
// has looked at, its six documents as QTextDocuments. Every change goes through one undo stack.
#include "TestDocument.h"

#include <QObject>
#include <QUndoStack>

#include <array>
#include <memory>
#include <vector>

class QTextDocument;

constexpr int DocumentsPerQuestion = 6;  // the question, then answers 1..5 (1 is the correct one)

struct EditedQuestion {
    AuthoredQuestion stored;
    std::array<std::unique_ptr<QTextDocument>, DocumentsPerQuestion> documents;  // made on first use
    ~EditedQuestion();
};
using EditedQuestionPtr = std::shared_ptr<EditedQuestion>;

class EditedTest : public QObject {
    Q_OBJECT
public:
    explicit EditedTest(QObject* parent = nullptr);

    void load(const TestDocument& document);  // clears the undo history
    TestDocument toTestDocument() const;      // documents not changed keep their stored bytes
    AuthoredQuestion questionAsStored(int index) const;
    QUndoStack& undoStack() { return undoStack_; }
    bool isModified() const { return !undoStack_.isClean(); }
    void markSaved() { undoStack_.setClean(); }

    const TestSettings& settings() const { return settings_; }
    void editSettings(const TestSettings& settings);  // undoable
    void applySettings(const TestSettings& settings);

    int questionCount() const { return static_cast<int>(questions_.size()); }
    QTextDocument* document(int question, int slot);

    // Undoable list changes.
    void addQuestion(int at);
    void duplicateQuestion(int index);
    void deleteQuestion(int index);
    void moveQuestion(int from, int to);

    // The raw changes the undo commands make.
    void insertQuestion(int at, EditedQuestionPtr question);
    EditedQuestionPtr takeQuestion(int index);
    void swapQuestions(int from, int to);

signals:
    void aboutToReset();
    void reset();
    void settingsChanged();
    void questionsChanged();
    void questionTextChanged(int index);

private:
    int indexOf(const QTextDocument* document) const;

    TestSettings settings_;
    std::vector<std::string> unsetSettings_;
    std::vector<EditedQuestionPtr> questions_;
    QUndoStack undoStack_;
};
