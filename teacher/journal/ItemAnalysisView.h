#pragma once
// Item analysis of the shown attempts, one tab per test title: a table of the questions with
// their flags, and a chart of the score distribution.
#include "ItemAnalysis.h"

#include <QDialog>

class QTabWidget;

class ItemAnalysisView : public QDialog {
    Q_OBJECT
public:
    explicit ItemAnalysisView(const std::vector<TestStats>& tests, QWidget* parent = nullptr);
    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
};
