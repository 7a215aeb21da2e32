#include "TestTrial.h"

#include "TestDocumentFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace {

const char TrialTestName[] = "trial.qzt";

QString programName() {
#ifdef Q_OS_WIN
    return QStringLiteral("quizzard.exe");
#else
    return QStringLiteral("quizzard");
#endif
}

}  // namespace

TestTrial::TestTrial(QObject* parent) : QObject(parent) {
    connect(&process_, &QProcess::finished, this, &TestTrial::finished);
}

TestTrial::~TestTrial() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

// Beside the teacher's program when installed; in the build tree the student program is in app/.
QString TestTrial::findStudentProgram() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(programName()), here.filePath("../app/" + programName())})
        if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).canonicalFilePath();
    return {};
}

QString TestTrial::prepareFolder(const TestDocument& document, const QString& studentProgram) {
    folder_ = std::make_unique<QTemporaryDir>();
    if (!folder_->isValid()) return folder_->errorString();
    const QDir dir(folder_->path());
    try {
        writeTestDocument(dir.filePath(TrialTestName), document);
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    if (!QFile::copy(studentProgram, dir.filePath(programName()))) return tr("cannot copy %1").arg(studentProgram);
    QFile ini(dir.filePath("param.ini"));
    if (!ini.open(QIODevice::WriteOnly)) return ini.errorString();
    const QString folder = QDir::toNativeSeparators(dir.path() + "/");
    ini.write(QString("[params]\r\nTestPath=%1\r\nResultsFilePath=%1\r\n").arg(folder).toUtf8());
    return {};
}

QString TestTrial::start(const TestDocument& document, const QString& studentProgram) {
    if (process_.state() != QProcess::NotRunning) return tr("the test is already running");
    if (studentProgram.isEmpty()) return tr("the student program is not installed beside this one");
    if (const QString fault = prepareFolder(document, studentProgram); !fault.isEmpty()) return fault;
    const QDir dir(folder_->path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("APPDATA", dir.path());  // the student's own copy of results goes here too
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(dir.path());
    process_.start(dir.filePath(programName()), {dir.filePath(TrialTestName)});
    if (!process_.waitForStarted(10000)) return process_.errorString();
    return {};
}
