#include "QuestionPreview.h"

#include "RichTextView.h"
#include "TestLayout.h"

#include <QRandomGenerator>

#include <algorithm>

QuestionPreview::QuestionPreview(const AuthoredQuestion& question, QWidget* parent)
    : QDialog(parent), question_(new RichTextView(this)) {
    setObjectName("questionPreview");
    setWindowTitle(tr("Preview"));
    std::shuffle(order_.begin(), order_.end(), *QRandomGenerator::global());
    question_->loadRtf(question.question);
    for (std::size_t k = 0; k < answers_.size(); ++k) {
        answers_[k] = new RichTextView(this);
        answers_[k]->loadRtf(question.answers[static_cast<std::size_t>(order_[k])]);
    }
    resize(800, 600);
}

void QuestionPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const Panel2Layout layout = layoutPanel2(width(), height());
    question_->setGeometry(layout.question);
    for (std::size_t k = 0; k < answers_.size(); ++k) answers_[k]->setGeometry(layout.answers[k]);
}
