#pragma once
// The current question as the student's test window lays it out, answers shuffled: the same
// layout arithmetic and rich-text view, fed the bytes the file will hold.
#include "TestDocument.h"

#include <QDialog>

#include <array>

class RichTextView;

class QuestionPreview : public QDialog {
    Q_OBJECT
public:
    QuestionPreview(const AuthoredQuestion& question, QWidget* parent = nullptr);
    const std::array<int, 5>& answerOrder() const { return order_; }  // answer shown in view k

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    RichTextView* question_;
    std::array<RichTextView*, 5> answers_{};
    std::array<int, 5> order_{0, 1, 2, 3, 4};
};
