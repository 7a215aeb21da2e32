#pragma once
// The test's settings, each field explained in its tooltip, and whether the student program
// will accept the file as it stands.
#include <QWidget>

class EditedTest;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(EditedTest& test, QWidget* parent = nullptr);
    QLabel* acceptanceLabel() const { return acceptance_; }

private:
    void showSettings();
    void storeSettings();
    void showAcceptance();

    EditedTest& test_;
    QLineEdit* title_;
    QSpinBox* questionsPerTest_;
    QSpinBox* minutes_;
    QDoubleSpinBox* points_;
    QCheckBox* allowReturn_;
    QCheckBox* runningScore_;
    QLabel* acceptance_;
    bool showing_ = false;
};
