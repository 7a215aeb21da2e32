#pragma once
// New, Open, Save, Save As and Close of the edited test, the question before losing changes,
// and the recovery copy written every minute while changes are unsaved.
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class EditedTest;
class QWidget;

enum class UnsavedChoice { Save, Discard, Cancel };

class FileActions : public QObject {
    Q_OBJECT
public:
    FileActions(EditedTest& test, QWidget& window);
    const QString& path() const { return path_; }

    void newTest();
    bool open();
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    bool closeTest();     // asks about unsaved changes; false when the teacher cancels
    bool confirmLoss();   // true when nothing unsaved is lost, or the teacher chose so

    // Replaceable for tests: the Save / Discard / Cancel question and the Save As file name.
    std::function<UnsavedChoice()> askUnsaved;
    std::function<QString()> askSavePath;

    static QString recoveryPath();
    void offerRecovery();
    void writeRecoveryCopy();

signals:
    void pathChanged(const QString& path);

private:
    void setPath(const QString& path);
    UnsavedChoice askUnsavedWithDialog();
    QString askSavePathWithDialog();

    EditedTest& test_;
    QWidget& window_;
    QString path_;
    QTimer recoveryTimer_;
};
