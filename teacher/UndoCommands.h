#pragma once
// The undoable changes of an edited test: settings, the question list, and text edits, which
// hand undo back to the QTextDocument that recorded them.
#include "EditedTest.h"

#include <QUndoCommand>

class SettingsCommand : public QUndoCommand {
public:
    SettingsCommand(EditedTest& test, const TestSettings& before, const TestSettings& after);
    void undo() override { test_.applySettings(before_); }
    void redo() override { test_.applySettings(after_); }
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;  // typing a title is one step

private:
    EditedTest& test_;
    TestSettings before_, after_;
};

class InsertQuestionCommand : public QUndoCommand {
public:
    InsertQuestionCommand(EditedTest& test, int at, EditedQuestionPtr question, const QString& text);
    void undo() override { test_.takeQuestion(at_); }
    void redo() override { test_.insertQuestion(at_, question_); }

private:
    EditedTest& test_;
    int at_;
    EditedQuestionPtr question_;
};

class DeleteQuestionCommand : public QUndoCommand {
public:
    DeleteQuestionCommand(EditedTest& test, int index);
    void undo() override { test_.insertQuestion(index_, question_); }
    void redo() override { question_ = test_.takeQuestion(index_); }

private:
    EditedTest& test_;
    int index_;
    EditedQuestionPtr question_;
};

class MoveQuestionCommand : public QUndoCommand {
public:
    MoveQuestionCommand(EditedTest& test, int from, int to);
    void undo() override { test_.swapQuestions(to_, from_); }
    void redo() override { test_.swapQuestions(from_, to_); }

private:
    EditedTest& test_;
    int from_, to_;
};

class TextEditCommand : public QUndoCommand {
public:
    explicit TextEditCommand(QTextDocument& document);
    void undo() override;
    void redo() override;

private:
    QTextDocument& document_;
    bool done_ = true;  // the document has made the edit already when the command is pushed
};
