#include "TeacherWindow.h"

#include "EditedTest.h"
#include "FileActions.h"
#include "FormatToolBar.h"
#include "JournalWidget.h"
#include "QuestionEditor.h"
#include "QuestionList.h"
#include "RecentFiles.h"
#include "QuestionPreview.h"
#include "SettingsPanel.h"
#include "TestTrial.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

TeacherWindow::TeacherWindow(QWidget* parent)
    : QMainWindow(parent), test_(new EditedTest(this)), files_(new FileActions(*test_, *this)),
      tabs_(new QTabWidget), format_(new FormatToolBar(this)), trial_(new TestTrial(this)) {
    setObjectName("teacherWindow");
    tabs_->setObjectName("tabs");
    tabs_->addTab(makeEditorTab(), tr("Test editor"));
    tabs_->addTab(new JournalWidget, tr("Results journal"));
    setCentralWidget(tabs_);
    makeFileMenu();
    makeEditMenu();
    makeTestMenu();
    addToolBarBreak();
    addToolBar(format_);
    format_->setTarget(editor_->activeEditor());
    connect(editor_, &QuestionEditor::activeEditorChanged, format_, &FormatToolBar::setTarget);
    connect(files_, &FileActions::pathChanged, this, &TeacherWindow::showTitle);
    connect(&test_->undoStack(), &QUndoStack::cleanChanged, this, &TeacherWindow::showTitle);
    connect(test_, &EditedTest::questionsChanged, this, &TeacherWindow::showStatus);
    connect(test_, &EditedTest::reset, this, &TeacherWindow::showStatus);
    files_->newTest();
    showTitle();
    showStatus();
    restoreWindowState();
}

TeacherWindow::~TeacherWindow() = default;

QWidget* TeacherWindow::makeEditorTab() {
    settings_ = new SettingsPanel(*test_);
    list_ = new QuestionList(*test_);
    editor_ = new QuestionEditor(*test_);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(settings_);
    leftLayout->addWidget(list_, 1);
    auto* splitter = new QSplitter;
    splitter->setObjectName("editorSplitter");
    splitter->addWidget(left);
    splitter->addWidget(editor_);
    splitter->setStretchFactor(1, 2);
    connect(list_, &QuestionList::currentQuestionChanged, editor_, &QuestionEditor::showQuestion);
    editor_->showQuestion(list_->currentQuestion());
    return splitter;
}

void TeacherWindow::makeFileMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&File"));
    QToolBar* bar = addToolBar(tr("File"));
    bar->setObjectName("fileToolBar");
    QAction* newAction = menu->addAction(tr("&New"), QKeySequence::New, files_, &FileActions::newTest);
    QAction* openAction = menu->addAction(tr("&Open…"), QKeySequence::Open, files_, [this] { files_->open(); });
    recentMenu_ = menu->addMenu(tr("Open &recent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &TeacherWindow::showRecentFiles);
    QAction* saveAction = menu->addAction(tr("&Save"), QKeySequence::Save, files_, [this] { files_->save(); });
    menu->addAction(tr("Save &as…"), QKeySequence::SaveAs, files_, [this] { files_->saveAs(); });
    menu->addAction(tr("&Close"), QKeySequence::Close, files_, [this] { files_->closeTest(); });
    menu->addSeparator();
    menu->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    newAction->setObjectName("new");
    openAction->setObjectName("open");
    saveAction->setObjectName("save");
    bar->addAction(newAction);
    bar->addAction(openAction);
    bar->addAction(saveAction);
}

void TeacherWindow::makeEditMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = test_->undoStack().createUndoAction(this, tr("&Undo"));
    QAction* redo = test_->undoStack().createRedoAction(this, tr("&Redo"));
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcut(QKeySequence::Redo);
    undo->setObjectName("undo");
    redo->setObjectName("redo");
    menu->addAction(undo);
    menu->addAction(redo);
    menu->addSeparator();
    QMenu* questions = menuBar()->addMenu(tr("&Questions"));
    questions->addAction(tr("&Add question"), QKeySequence("Ctrl+Shift+N"), list_, &QuestionList::addQuestion);
    questions->addAction(tr("&Duplicate question"), QKeySequence("Ctrl+D"), list_, &QuestionList::duplicateQuestion);
    questions->addAction(tr("De&lete question"), QKeySequence("Ctrl+Shift+Del"), list_, &QuestionList::deleteQuestion);
    questions->addAction(tr("Move &up"), QKeySequence("Ctrl+Shift+Up"), list_, &QuestionList::moveUp);
    questions->addAction(tr("Move do&wn"), QKeySequence("Ctrl+Shift+Down"), list_, &QuestionList::moveDown);
}

void TeacherWindow::makeTestMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Test"));
    QAction* preview = menu->addAction(tr("&Preview question"), QKeySequence("F5"), this, &TeacherWindow::previewQuestion);
    QAction* tryAction = menu->addAction(tr("&Try the test"), QKeySequence("F9"), this, &TeacherWindow::tryTest);
    preview->setObjectName("preview");
    tryAction->setObjectName("try");
    QToolBar* bar = findChild<QToolBar*>("fileToolBar");
    bar->addSeparator();
    bar->addAction(preview);
    bar->addAction(tryAction);
}

void TeacherWindow::previewQuestion() {
    const int index = list_->currentQuestion();
    if (index < 0) return;
    auto* preview = new QuestionPreview(test_->questionAsStored(index), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
}

void TeacherWindow::tryTest() {
    const QString fault = trial_->start(test_->toTestDocument());
    if (!fault.isEmpty()) QMessageBox::warning(this, tr("Try the test"), tr("The test cannot be tried:\n%1").arg(fault));
}

void TeacherWindow::showRecentFiles() {
    recentMenu_->clear();
    for (const QString& path : recentFiles())
        recentMenu_->addAction(QDir::toNativeSeparators(path), this, [this, path] {
            if (files_->confirmLoss()) files_->openFile(path);
        });
    recentMenu_->setEnabled(true);
}

void TeacherWindow::showTitle() {
    const QString name = files_->path().isEmpty() ? tr("Untitled") : QFileInfo(files_->path()).fileName();
    setWindowTitle(tr("%1[*] — Quizzard teacher").arg(name));
    setWindowModified(test_->isModified());
}

void TeacherWindow::showStatus() {
    statusBar()->showMessage(tr("Questions: %1").arg(test_->questionCount()));
}

void TeacherWindow::restoreWindowState() {
    QSettings settings;
    if (!restoreGeometry(settings.value("window/geometry").toByteArray())) resize(1100, 760);
    restoreState(settings.value("window/state").toByteArray());
}

void TeacherWindow::closeEvent(QCloseEvent* event) {
    if (!files_->confirmLoss()) {
        event->ignore();
        return;
    }
    QSettings settings;
    settings.setValue("window/geometry", saveGeometry());
    settings.setValue("window/state", saveState());
    event->accept();
}
