#pragma once
// One attempt in detail: each question in the order shown, the answer chosen and whether it was
// right; unanswered questions are marked as such.
#include "Attempt.h"

#include <QDialog>

class QTableWidget;

class AttemptDetailView : public QDialog {
    Q_OBJECT
public:
    explicit AttemptDetailView(const Attempt& attempt, QWidget* parent = nullptr);
    QTableWidget* questions() const { return questions_; }

private:
    QTableWidget* questions_;
};
