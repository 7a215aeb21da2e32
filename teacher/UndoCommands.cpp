#include "UndoCommands.h"

#include <QTextDocument>

SettingsCommand::SettingsCommand(EditedTest& test, const TestSettings& before, const TestSettings& after)
    : QUndoCommand(EditedTest::tr("Change settings")), test_(test), before_(before), after_(after) {}

namespace {

bool differOnlyInTitle(TestSettings a, const TestSettings& b) {
    a.title = b.title;
    return a.questionsPerTest == b.questionsPerTest && a.minutes == b.minutes && a.pointsTenths == b.pointsTenths &&
           a.allowReturn == b.allowReturn && a.runningScore == b.runningScore;
}

}  // namespace

bool SettingsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SettingsCommand*>(other);
    // Only keystrokes in the title merge; every other change stays its own step.
    if (!differOnlyInTitle(before_, after_) || !differOnlyInTitle(next->before_, next->after_)) return false;
    after_ = next->after_;
    return true;
}

InsertQuestionCommand::InsertQuestionCommand(EditedTest& test, int at, EditedQuestionPtr question,
                                             const QString& text)
    : QUndoCommand(text), test_(test), at_(at), question_(std::move(question)) {}

DeleteQuestionCommand::DeleteQuestionCommand(EditedTest& test, int index)
    : QUndoCommand(EditedTest::tr("Delete question")), test_(test), index_(index) {}

MoveQuestionCommand::MoveQuestionCommand(EditedTest& test, int from, int to)
    : QUndoCommand(EditedTest::tr("Move question")), test_(test), from_(from), to_(to) {}

TextEditCommand::TextEditCommand(QTextDocument& document)
    : QUndoCommand(EditedTest::tr("Edit text")), document_(document) {}

void TextEditCommand::undo() {
    document_.undo();
    done_ = false;
}

void TextEditCommand::redo() {
    if (!done_) document_.redo();
    done_ = true;
}
