#pragma once
// The teacher's main window: menus, tool bars and status bar around tabs; the editor is the
// first tab. The panels do the work.
#include <QMainWindow>

class EditedTest;
class FileActions;
class FormatToolBar;
class QMenu;
class QTabWidget;
class QuestionEditor;
class QuestionList;
class SettingsPanel;
class TestTrial;

class TeacherWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TeacherWindow(QWidget* parent = nullptr);
    ~TeacherWindow() override;

    EditedTest& test() { return *test_; }
    FileActions& files() { return *files_; }
    QTabWidget* tabs() const { return tabs_; }
    SettingsPanel* settingsPanel() const { return settings_; }
    QuestionList* questionList() const { return list_; }
    QuestionEditor* questionEditor() const { return editor_; }
    FormatToolBar* formatToolBar() const { return format_; }
    TestTrial& trial() { return *trial_; }

    void previewQuestion();
    void tryTest();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeEditorTab();
    void makeFileMenu();
    void makeEditMenu();
    void makeTestMenu();
    void showRecentFiles();
    void showTitle();
    void showStatus();
    void restoreWindowState();

    EditedTest* test_;
    FileActions* files_;
    QTabWidget* tabs_;
    SettingsPanel* settings_ = nullptr;
    QuestionList* list_ = nullptr;
    QuestionEditor* editor_ = nullptr;
    FormatToolBar* format_;
    TestTrial* trial_;
    QMenu* recentMenu_ = nullptr;
};
