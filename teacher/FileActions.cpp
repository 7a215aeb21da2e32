#include "FileActions.h"

#include "EditedTest.h"
#include "RecentFiles.h"
#include "TestDocumentFile.h"
#include "TestFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace {

constexpr int RecoveryIntervalMs = 60 * 1000;

TestDocument newDocument() {
    TestDocument document;
    document.questions.resize(1);
    return document;
}

}  // namespace

FileActions::FileActions(EditedTest& test, QWidget& window) : QObject(&window), test_(test), window_(window) {
    askUnsaved = [this] { return askUnsavedWithDialog(); };
    askSavePath = [this] { return askSavePathWithDialog(); };
    recoveryTimer_.setInterval(RecoveryIntervalMs);
    connect(&recoveryTimer_, &QTimer::timeout, this, &FileActions::writeRecoveryCopy);
    recoveryTimer_.start();
}

void FileActions::setPath(const QString& path) {
    path_ = path;
    emit pathChanged(path_);
}

void FileActions::newTest() {
    if (!confirmLoss()) return;
    test_.load(newDocument());
    setPath(QString());
}

bool FileActions::open() {
    if (!confirmLoss()) return false;
    const QString path = QFileDialog::getOpenFileName(&window_, tr("Open test"), QFileInfo(path_).path(),
                                                      tr("Tests (*.qzt);;All files (*)"));
    return !path.isEmpty() && openFile(path);
}

bool FileActions::openFile(const QString& path) {
    try {
        test_.load(readTestDocument(path));
    } catch (const std::exception& error) {
        QMessageBox::critical(&window_, tr("Open test"),
                              tr("Cannot open %1:\n%2").arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
        return false;
    }
    rememberRecentFile(path);
    setPath(path);
    return true;
}

bool FileActions::save() { return path_.isEmpty() ? saveAs() : saveTo(path_); }

bool FileActions::saveAs() {
    QString path = askSavePath();
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".qzt";
    return saveTo(path);
}

bool FileActions::saveTo(const QString& path) {
    try {
        writeTestDocument(path, test_.toTestDocument());
    } catch (const std::exception& error) {
        QMessageBox::critical(&window_, tr("Save test"),
                              tr("The test was not saved to %1; the file there is unchanged.\n%2")
                                  .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
        return false;
    }
    test_.markSaved();
    QFile::remove(recoveryPath());
    rememberRecentFile(path);
    setPath(path);
    return true;
}

bool FileActions::closeTest() {
    if (!confirmLoss()) return false;
    QFile::remove(recoveryPath());
    test_.load(newDocument());
    setPath(QString());
    return true;
}

bool FileActions::confirmLoss() {
    if (!test_.isModified()) return true;
    switch (askUnsaved()) {
    case UnsavedChoice::Save: return save();
    case UnsavedChoice::Discard: QFile::remove(recoveryPath()); return true;
    case UnsavedChoice::Cancel: return false;
    }
    return false;
}

UnsavedChoice FileActions::askUnsavedWithDialog() {
    QMessageBox box(QMessageBox::Warning, tr("Unsaved changes"),
                    tr("The test has unsaved changes. Save them?"), QMessageBox::NoButton, &window_);
    QPushButton* saveButton = box.addButton(tr("Save"), QMessageBox::AcceptRole);
    QPushButton* discardButton = box.addButton(tr("Discard"), QMessageBox::DestructiveRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(saveButton);
    box.exec();
    if (box.clickedButton() == saveButton) return UnsavedChoice::Save;
    if (box.clickedButton() == discardButton) return UnsavedChoice::Discard;
    return UnsavedChoice::Cancel;
}

QString FileActions::askSavePathWithDialog() {
    return QFileDialog::getSaveFileName(&window_, tr("Save test as"), path_, tr("Tests (*.qzt)"));
}

QString FileActions::recoveryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery.qzt";
}

void FileActions::writeRecoveryCopy() {
    if (!test_.isModified()) return;
    QDir().mkpath(QFileInfo(recoveryPath()).path());
    try {
        writeTestDocument(recoveryPath(), test_.toTestDocument());
    } catch (const std::exception&) {
        // The copy is a courtesy: the teacher still has the open document and Save.
    }
}

void FileActions::offerRecovery() {
    if (!QFileInfo::exists(recoveryPath())) return;
    const auto answer = QMessageBox::question(&window_, tr("Restore unsaved test"),
                                              tr("The editor closed without saving a test last time. "
                                                 "Restore the unsaved copy?"));
    if (answer == QMessageBox::Yes) {
        try {
            test_.load(readTestDocument(recoveryPath()));
            setPath(QString());
            return;
        } catch (const std::exception&) {
            QMessageBox::warning(&window_, tr("Restore unsaved test"), tr("The unsaved copy cannot be read."));
        }
    }
    QFile::remove(recoveryPath());
}
