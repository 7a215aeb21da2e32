#include "QuestionList.h"

#include "EditedTest.h"
#include "QuestionProblems.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(text);
    b->setObjectName(name);
    return b;
}

QString firstLine(const QTextDocument& document) {
    const QString text = document.toPlainText().trimmed();
    return text.section(QChar('\n'), 0, 0).left(80);
}

}  // namespace

QuestionList::QuestionList(EditedTest& test, QWidget* parent)
    : QWidget(parent), test_(test), list_(new QListWidget), search_(new QLineEdit) {
    setObjectName("questionList");
    list_->setObjectName("questions");
    search_->setObjectName("search");
    search_->setPlaceholderText(tr("Search questions"));
    search_->setClearButtonEnabled(true);

    auto* buttons = new QHBoxLayout;
    const struct {
        QString text;
        const char* name;
        void (QuestionList::*action)();
    } actions[] = {{tr("Add"), "add", &QuestionList::addQuestion},
                   {tr("Duplicate"), "duplicate", &QuestionList::duplicateQuestion},
                   {tr("Delete"), "delete", &QuestionList::deleteQuestion},
                   {tr("Up"), "up", &QuestionList::moveUp},
                   {tr("Down"), "down", &QuestionList::moveDown}};
    for (const auto& a : actions) {
        QToolButton* b = button(a.text, a.name, this);
        connect(b, &QToolButton::clicked, this, a.action);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(search_);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, &QuestionList::currentQuestionChanged);
    connect(search_, &QLineEdit::textChanged, this, &QuestionList::applySearch);
    connect(&test_, &EditedTest::reset, this, &QuestionList::rebuild);
    connect(&test_, &EditedTest::questionsChanged, this, &QuestionList::rebuild);
    connect(&test_, &EditedTest::questionTextChanged, this, &QuestionList::refreshEntry);
}

int QuestionList::currentQuestion() const { return list_->currentRow(); }

void QuestionList::selectQuestion(int index) { list_->setCurrentRow(index); }

void QuestionList::rebuild() {
    const int current = list_->currentRow();
    QSignalBlocker blocker(list_);
    list_->clear();
    for (int i = 0; i < test_.questionCount(); ++i) {
        list_->addItem(QString());
        refreshEntry(i);
    }
    blocker.unblock();
    list_->setCurrentRow(std::min(std::max(current, 0), test_.questionCount() - 1));
    emit currentQuestionChanged(list_->currentRow());
    applySearch();
}

void QuestionList::refreshEntry(int index) {
    QListWidgetItem* item = list_->item(index);
    if (!item) return;
    const QStringList problems = questionProblems(test_, index);
    item->setText(QString("%1. %2").arg(index + 1).arg(firstLine(*test_.document(index, 0))));
    item->setIcon(problems.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setToolTip(problems.join('\n'));
    item->setData(Qt::UserRole, problems);
}

void QuestionList::applySearch() {
    const QString needle = search_->text().trimmed();
    for (int i = 0; i < list_->count(); ++i) {
        bool found = needle.isEmpty();
        for (int slot = 0; slot < DocumentsPerQuestion && !found; ++slot)
            found = test_.document(i, slot)->toPlainText().contains(needle, Qt::CaseInsensitive);
        list_->item(i)->setHidden(!found);
    }
}

void QuestionList::addQuestion() {
    const int at = currentQuestion() + 1;
    test_.addQuestion(at);
    selectQuestion(at);
}

void QuestionList::duplicateQuestion() {
    const int index = currentQuestion();
    if (index < 0) return;
    test_.duplicateQuestion(index);
    selectQuestion(index + 1);
}

void QuestionList::deleteQuestion() {
    const int index = currentQuestion();
    if (index >= 0) test_.deleteQuestion(index);
}

void QuestionList::moveUp() {
    const int index = currentQuestion();
    if (index <= 0) return;
    test_.moveQuestion(index, index - 1);
    selectQuestion(index - 1);
}

void QuestionList::moveDown() {
    const int index = currentQuestion();
    if (index < 0 || index + 1 >= test_.questionCount()) return;
    test_.moveQuestion(index, index + 1);
    selectQuestion(index + 1);
}
