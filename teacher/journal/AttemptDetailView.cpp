#include "AttemptDetailView.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString verdictOf(const QuestionSlot& slot) {
    if (slot.ChosenBox < 1) return AttemptDetailView::tr("Unanswered");
    return slot.isCorrect() ? AttemptDetailView::tr("Right") : AttemptDetailView::tr("Wrong");
}

QColor colourOf(const QuestionSlot& slot) {
    if (slot.ChosenBox < 1) return QColor(235, 235, 235);
    return slot.isCorrect() ? QColor(205, 240, 205) : QColor(250, 210, 210);
}

}  // namespace

AttemptDetailView::AttemptDetailView(const Attempt& a, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Attempt of %1 %2").arg(a.lastName, a.firstName));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("%1, group %2, test \"%3\", %4: %5 of %6 correct")
                                     .arg(QLocale().toString(a.date, QLocale::ShortFormat), a.group, a.test,
                                          a.timeSpent)
                                     .arg(a.correct)
                                     .arg(a.asked)));
    questions_ = new QTableWidget(a.asked, 5, this);
    questions_->setHorizontalHeaderLabels(
        {tr("Question"), tr("Row in the test"), tr("Box chosen"), tr("Answer chosen"), tr("Result")});
    questions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    questions_->verticalHeader()->hide();
    for (int p = 1; p <= a.asked; ++p) {
        const QuestionSlot& slot = a.record.slot(p);
        const bool chosen = slot.ChosenBox >= 1 && slot.ChosenBox <= 5;
        const QStringList cells = {
            QString::number(p), QString::number(slot.QuestionRow),
            chosen ? QString::number(slot.ChosenBox) : QStringLiteral("-"),
            chosen ? QString::number(slot.AnswerOrder[std::size_t(slot.ChosenBox - 1)]) : QStringLiteral("-"),
            verdictOf(slot)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setBackground(colourOf(slot));
            questions_->setItem(p - 1, c, item);
        }
    }
    questions_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(questions_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 480);
}
