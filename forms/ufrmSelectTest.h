#pragma once
// The selection window: the test files found under TestPath, and the Open dialog for any other.
#include <QDialog>

class QPushButton;
class QTreeWidget;
class QWidget;

class TfrmSelectTest : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelectTest(QWidget* parent = nullptr);

    // One entry per path, captioned with its file name and carrying its index in the list.
    void listTestFiles(const QStringList& paths);

    QTreeWidget* ListView1;
    QWidget* Panel1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void ListView1DblClick();

    bool movingByKey_ = false;  // a key passed on to the list while the filter waits
};

// The main loop's step that obtains a test file: the remembered one, or one from the window.
void ChooseTest();
void ShowTestList();
bool BrowseForTestFile();
