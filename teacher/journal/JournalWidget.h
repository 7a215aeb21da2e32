#pragma once
// The results journal: a folder of results files watched while a class takes a test, the table
// of attempts with filters and totals, and the way to an attempt's detail, the item analysis and
// the exports.
#include "Journal.h"
#include "JournalTableModel.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QCheckBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

class JournalWidget : public QWidget {
    Q_OBJECT
public:
    explicit JournalWidget(QWidget* parent = nullptr);

    void openFolder(const QString& folder);
    void refresh();  // reads what was appended; the watcher and the poll call it

    // Exports of what the filter shows; empty on success, otherwise why not.
    QString exportCsv(const QString& path) const;
    QString exportXlsx(const QString& path) const;
    QString exportPdf(const QString& path) const;

    QTableView* table() const { return table_; }
    JournalProxyModel* proxy() const { return proxy_; }
    QLineEdit* nameSearch() const { return name_; }
    QComboBox* groupFilter() const { return group_; }
    QLabel* totals() const { return totals_; }
    const Journal& journal() const { return journal_; }
    void showDetailOf(int proxyRow);
    void showItemAnalysis();

private:
    QWidget* makeFolderBar();
    QWidget* makeFilterBar();
    QWidget* makeActionBar();
    void applyFilter();
    void updateChoices();
    void updateTotals();
    void watchFiles();
    void chooseFolder();
    void print();
    void saveAs(const QString& filter, const QString& suffix, QString (JournalWidget::*write)(const QString&) const);

    Journal journal_;
    MarkSettings marks_;
    JournalTableModel* model_;
    JournalProxyModel* proxy_;
    QFileSystemWatcher* watcher_;
    QTimer* poll_;
    QLabel* folderLabel_ = nullptr;
    QComboBox* recent_ = nullptr;
    QCheckBox* dated_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QComboBox* group_ = nullptr;
    QComboBox* test_ = nullptr;
    QLineEdit* name_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* warnings_ = nullptr;
};
