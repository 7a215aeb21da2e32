#include "ufrmSelectTest.h"

#include "Catalogue.h"
#include "FileNames.h"
#include "Notices.h"
#include "OpenDialog.h"
#include "SharedState.h"
#include "TestFile.h"
#include "WindowSystem.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString ListRefusedNotice = QStringLiteral("Ошибка открытия файла теста");
const QString FileRefusedNotice = QStringLiteral("Ошибка открытия файла теста!!!");
const QString OpenDialogTitle = QStringLiteral("Открыть файл тестов");
const QString OpenDialogFilter = QStringLiteral("TestFile (*.qzt);;All files (*)");
const QString TestFileMask = QStringLiteral("*.qzt");

QPushButton* addButton(QWidget* panel, const QString& caption, int left) {
    auto* button = new QPushButton(caption, panel);
    button->setGeometry(left, 4, 89, 25);
    return button;
}

}  // namespace

TfrmSelectTest::TfrmSelectTest(QWidget* parent) : QDialog(parent) { FormCreate(); }

void TfrmSelectTest::FormCreate() {
    Shared().ContinueFlag = 0;
    setWindowTitle(QStringLiteral("Выбрать тест"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(292, 413);

    ListView1 = new QTreeWidget(this);
    ListView1->setGeometry(0, 0, 292, 381);
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({QStringLiteral("Тесты")});
    ListView1->header()->setStretchLastSection(false);
    ListView1->setColumnWidth(0, 288);
    ListView1->setHeaderHidden(true);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setSortingEnabled(false);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 381, 292, 32);
    Button3 = addButton(Panel1, QStringLiteral("Отмена"), 5);
    Button2 = addButton(Panel1, QStringLiteral("Открыть файл"), 103);
    Button1 = addButton(Panel1, QStringLiteral("OK"), 200);
    Button1->setDefault(true);
    setTabOrder(ListView1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);

    connect(Button1, &QPushButton::clicked, this, &TfrmSelectTest::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmSelectTest::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmSelectTest::Button3Click);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, &TfrmSelectTest::ListView1DblClick);
    ListView1->installEventFilter(this);
    ListView1->setFocus();
}

// Focus alone makes the first entry current without selecting it, so the first arrow key would
// find nowhere to move and the keyboard could never choose a lone entry: it selects the current
// entry instead, as the first arrow key does in the list views students know. Home, End, PageUp
// and PageDown move first and select the entry they move to, which the view leaves unselected
// when it is already current.
bool TfrmSelectTest::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ListView1 || event->type() != QEvent::KeyPress || movingByKey_ ||
        !ListView1->selectedItems().isEmpty() || ListView1->topLevelItemCount() == 0)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool jump = key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (!arrow && !jump) return QDialog::eventFilter(watched, event);
    if (!ListView1->currentItem()) ListView1->setCurrentItem(ListView1->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    if (jump) {
        movingByKey_ = true;
        QCoreApplication::sendEvent(ListView1, event);
        movingByKey_ = false;
    }
    ListView1->currentItem()->setSelected(true);
    return true;
}

void TfrmSelectTest::listTestFiles(const QStringList& paths) {
    ListView1->clear();
    const QIcon icon(QStringLiteral(":/testicon.png"));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        auto* item = new QTreeWidgetItem(ListView1, {fileNameOfPath(paths[i])});
        item->setIcon(0, icon);
        item->setData(0, Qt::UserRole, QVariant::fromValue(i));
    }
}

void TfrmSelectTest::Button1Click() {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty()) return;
    const auto index = selected.front()->data(0, Qt::UserRole).value<qsizetype>();
    if (OpenTestFile(Shared().TestFileList.at(index))) {
        Shared().ContinueFlag = 1;
        accept();
    } else {
        ShowNotice(ListRefusedNotice);
    }
}

void TfrmSelectTest::ListView1DblClick() { Button1Click(); }

void TfrmSelectTest::Button2Click() {
    if (!BrowseForTestFile()) return;
    Shared().ContinueFlag = 1;
    accept();
}

void TfrmSelectTest::Button3Click() {
    Shared().ContinueFlag = 0;
    reject();
}

bool BrowseForTestFile() {
    const QString path = ChooseFileToOpen(OpenDialogTitle, OpenDialogFilter);
    if (path.isEmpty()) return false;
    if (!OpenTestFile(path)) {
        ShowNotice(FileRefusedNotice);
        return false;
    }
    Shared().CmdLineTestFile = path;
    return true;
}

void ShowTestList() {
    SharedState& s = Shared();
    TfrmSelectTest form;
    s.TestFileList.clear();
    FindTestFiles(s.TestPath, TestFileMask);
    form.listTestFiles(s.TestFileList);
    RunModal(form);
}

void ChooseTest() {
    SharedState& s = Shared();
    try {
        if (s.CmdLineTestFile.isEmpty()) {
            ShowTestList();
        } else if (!OpenTestFile(s.CmdLineTestFile)) {
            ShowNotice(FileRefusedNotice);
            RequestEnd();
        }
    } catch (...) {
        // Whatever escapes ends the loop quietly, as a cancel would.
        s.ContinueFlag = 0;
    }
}
