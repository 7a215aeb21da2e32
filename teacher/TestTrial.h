#pragma once
// "Try the test": the student program runs the current test from a temporary folder of its own.
// The program reads param.ini beside itself, so a copy of it goes there, with a param.ini that
// sends results to the same folder, never to the shared results folder.
#include "TestDocument.h"

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

class TestTrial : public QObject {
    Q_OBJECT
public:
    explicit TestTrial(QObject* parent = nullptr);
    ~TestTrial() override;

    // Empty when the program started; otherwise why it did not.
    QString start(const TestDocument& document, const QString& studentProgram = findStudentProgram());
    QString folder() const { return folder_ ? folder_->path() : QString(); }
    QProcess& process() { return process_; }
    static QString findStudentProgram();

signals:
    void finished();

private:
    QString prepareFolder(const TestDocument& document, const QString& studentProgram);

    std::unique_ptr<QTemporaryDir> folder_;
    QProcess process_;
};
