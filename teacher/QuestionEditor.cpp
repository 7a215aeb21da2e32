#include "QuestionEditor.h"

#include "EditedTest.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>

QuestionEditor::QuestionEditor(EditedTest& test, QWidget* parent) : QWidget(parent), test_(test) {
    setObjectName("questionEditor");
    auto* grid = new QGridLayout(this);
    for (int slot = 0; slot < DocumentsPerQuestion; ++slot) {
        auto* edit = new QTextEdit;
        edit->setObjectName(slot == 0 ? QString("question") : QString("answer%1").arg(slot));
        edit->setAcceptRichText(true);
        edit->installEventFilter(this);
        blanks_[static_cast<std::size_t>(slot)] = new QTextDocument(this);
        editors_[static_cast<std::size_t>(slot)] = edit;
        const QString label = slot == 0   ? tr("Question")
                              : slot == 1 ? tr("Correct answer")
                                          : tr("Answer %1").arg(slot);
        auto* caption = new QLabel(label);
        caption->setBuddy(edit);
        if (slot == 1) caption->setStyleSheet("font-weight: bold; color: darkgreen");
        const int row = slot == 0 ? 0 : 2 + 2 * ((slot - 1) / 2);
        const int column = slot == 0 ? 0 : (slot - 1) % 2;
        grid->addWidget(caption, row, column, 1, slot == 0 ? 2 : 1);
        grid->addWidget(edit, row + 1, column, 1, slot == 0 ? 2 : 1);
    }
    grid->setRowStretch(1, 3);
    active_ = editors_[0];
    connect(&test_, &EditedTest::aboutToReset, this, [this] { showQuestion(-1); });
    showQuestion(-1);
}

void QuestionEditor::showQuestion(int index) {
    const bool valid = index >= 0 && index < test_.questionCount();
    for (int slot = 0; slot < DocumentsPerQuestion; ++slot) {
        QTextEdit* edit = editors_[static_cast<std::size_t>(slot)];
        edit->setDocument(valid ? test_.document(index, slot) : blanks_[static_cast<std::size_t>(slot)]);
        edit->setEnabled(valid);
    }
}

bool QuestionEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        active_ = static_cast<QTextEdit*>(watched);
        emit activeEditorChanged(active_);
    }
    // Undo and redo belong to the whole test, not to the one editor's document.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
