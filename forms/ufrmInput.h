#pragma once
// The registration window: last name, first name and group, filtered and normalised as typed.
#include <QDialog>
#include <QSize>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class TfrmInput : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInput(QWidget* parent = nullptr);

    QLineEdit* edLastName;
    QLineEdit* edFirstName;
    QLineEdit* edGroup;
    QPushButton* btOK;
    QPushButton* btCancel;
    QLabel* lbLastName;
    QLabel* lbFirstName;
    QLabel* lbGroup;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    bool edLastNameKeyPress(QLineEdit* sender, unsigned char key);
    bool edGroupKeyPress(QLineEdit* sender, unsigned char key);
    void edFirstNameChange(QLineEdit* sender);
    void edGroupChange(QLineEdit* sender);
    void btOKClick();
    void btCancelClick();

    QLineEdit* addLabelledEdit(QLabel*& label, const QString& caption, int maxLength,
                               const QRect& design);
    bool acceptsTyped(QLineEdit* sender, unsigned char key);
    bool filterTyped(QLineEdit* edit, const QKeyEvent& key);
    void updateStartButton();
    void placeEdit(QLineEdit* edit, QLabel* label, int left, int width);
    void fitOuterSizes();

    bool forwardingKey_ = false;
    QSize appliedFrame_{0, 0};  // the frame the client sizes were last fitted to
};

// The main loop's registration step: runs the window, then ResetRun, and on confirmation
// stores the names and group in the shared state; the record always receives the stored ones.
void AskStudent();
