#include "JournalWidget.h"

#include "AttemptDetailView.h"
#include "ClassReport.h"
#include "ItemAnalysisView.h"
#include "JournalCsv.h"
#include "JournalFolders.h"
#include "JournalXlsx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int PollMilliseconds = 1000;  // network shares send no change notices

void setChoices(QComboBox* box, const QStringList& values) {
    const QString current = box->currentData().toString();
    box->blockSignals(true);
    box->clear();
    box->addItem(JournalWidget::tr("All"), QString());
    for (const QString& v : values) box->addItem(v, v);
    box->setCurrentIndex(std::max(0, box->findData(current)));
    box->blockSignals(false);
}

}  // namespace

JournalWidget::JournalWidget(QWidget* parent)
    : QWidget(parent),
      model_(new JournalTableModel(journal_, marks_, this)),
      proxy_(new JournalProxyModel(model_, this)),
      watcher_(new QFileSystemWatcher(this)),
      poll_(new QTimer(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeFolderBar());
    layout->addWidget(makeFilterBar());
    table_ = new QTableView(this);
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(int(JournalColumn::Date), Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(int(JournalColumn::Test), QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { showDetailOf(index.row()); });
    layout->addWidget(table_, 1);
    totals_ = new QLabel(this);
    warnings_ = new QLabel(this);
    warnings_->setStyleSheet(QStringLiteral("color: #a00000"));
    warnings_->setWordWrap(true);
    layout->addWidget(totals_);
    layout->addWidget(warnings_);
    layout->addWidget(makeActionBar());

    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &JournalWidget::refresh);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &JournalWidget::refresh);
    connect(poll_, &QTimer::timeout, this, &JournalWidget::refresh);
    connect(proxy_, &QAbstractItemModel::rowsInserted, this, &JournalWidget::updateTotals);
    connect(proxy_, &QAbstractItemModel::modelReset, this, &JournalWidget::updateTotals);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, &JournalWidget::updateTotals);
    poll_->start(PollMilliseconds);
    updateTotals();
}

QWidget* JournalWidget::makeFolderBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Results folder:"), bar));
    folderLabel_ = new QLabel(bar);
    layout->addWidget(folderLabel_, 1);
    recent_ = new QComboBox(bar);
    recent_->setPlaceholderText(tr("Recent folders"));
    recent_->addItems(recentFolders());
    recent_->setCurrentIndex(-1);
    connect(recent_, &QComboBox::textActivated, this, &JournalWidget::openFolder);
    layout->addWidget(recent_);
    auto* open = new QPushButton(tr("Open folder..."), bar);
    connect(open, &QPushButton::clicked, this, &JournalWidget::chooseFolder);
    layout->addWidget(open);
    return bar;
}

QWidget* JournalWidget::makeFilterBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    dated_ = new QCheckBox(tr("From"), bar);
    from_ = new QDateEdit(QDate::currentDate().addMonths(-1), bar);
    to_ = new QDateEdit(QDate::currentDate(), bar);
    from_->setCalendarPopup(true);
    to_->setCalendarPopup(true);
    group_ = new QComboBox(bar);
    test_ = new QComboBox(bar);
    name_ = new QLineEdit(bar);
    name_->setPlaceholderText(tr("Name search"));
    name_->setClearButtonEnabled(true);
    layout->addWidget(dated_);
    layout->addWidget(from_);
    layout->addWidget(new QLabel(tr("to"), bar));
    layout->addWidget(to_);
    layout->addWidget(new QLabel(tr("Group:"), bar));
    layout->addWidget(group_);
    layout->addWidget(new QLabel(tr("Test:"), bar));
    layout->addWidget(test_, 1);
    layout->addWidget(name_, 1);
    connect(dated_, &QCheckBox::toggled, this, &JournalWidget::applyFilter);
    connect(from_, &QDateEdit::dateChanged, this, &JournalWidget::applyFilter);
    connect(to_, &QDateEdit::dateChanged, this, &JournalWidget::applyFilter);
    connect(group_, &QComboBox::currentIndexChanged, this, &JournalWidget::applyFilter);
    connect(test_, &QComboBox::currentIndexChanged, this, &JournalWidget::applyFilter);
    connect(name_, &QLineEdit::textChanged, this, &JournalWidget::applyFilter);
    setChoices(group_, {});
    setChoices(test_, {});
    return bar;
}

QWidget* JournalWidget::makeActionBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const QString& text, auto slot) {
        auto* b = new QPushButton(text, bar);
        connect(b, &QPushButton::clicked, this, slot);
        layout->addWidget(b);
    };
    button(tr("Attempt..."), [this] {
        const QModelIndexList rows = table_->selectionModel()->selectedRows();
        if (!rows.isEmpty()) showDetailOf(rows.front().row());
    });
    button(tr("Item analysis..."), [this] { showItemAnalysis(); });
    layout->addStretch(1);
    button(tr("CSV..."), [this] { saveAs(tr("CSV (*.csv)"), QStringLiteral(".csv"), &JournalWidget::exportCsv); });
    button(tr("XLSX..."), [this] { saveAs(tr("Spreadsheet (*.xlsx)"), QStringLiteral(".xlsx"), &JournalWidget::exportXlsx); });
    button(tr("PDF..."), [this] { saveAs(tr("PDF (*.pdf)"), QStringLiteral(".pdf"), &JournalWidget::exportPdf); });
    button(tr("Print..."), [this] { print(); });
    return bar;
}

void JournalWidget::openFolder(const QString& folder) {
    journal_.open(folder);
    folderLabel_->setText(QDir::toNativeSeparators(folder));
    rememberFolder(folder);
    model_->journalChanged();
    updateChoices();
    watchFiles();
    updateTotals();
}

void JournalWidget::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Results folder"), journal_.folder());
    if (!folder.isEmpty()) openFolder(folder);
}

void JournalWidget::refresh() {
    if (journal_.folder().isEmpty() || !journal_.refresh()) return;
    model_->journalChanged();
    updateChoices();
    watchFiles();
    updateTotals();
}

void JournalWidget::watchFiles() {
    const QStringList files = journal_.filePaths();
    QStringList watched = watcher_->files() + watcher_->directories();
    QStringList wanted = files;
    wanted << journal_.folder();
    for (const QString& path : wanted)
        if (!watched.contains(path)) watcher_->addPath(path);
}

void JournalWidget::updateChoices() {
    setChoices(group_, journal_.groups());
    setChoices(test_, journal_.tests());
}

void JournalWidget::applyFilter() {
    JournalFilter filter;
    if (dated_->isChecked()) {
        filter.from = from_->date();
        filter.to = to_->date();
    }
    filter.group = group_->currentData().toString();
    filter.test = test_->currentData().toString();
    filter.name = name_->text().trimmed();
    proxy_->setJournalFilter(filter);
    updateTotals();
}

void JournalWidget::updateTotals() {
    const JournalTotals t = totalsOf(proxy_->shownAttempts(), marks_);
    totals_->setText(tr("Shown: %1. Mean: %2%. Median: %3%. Marks: 5 - %4, 4 - %5, 3 - %6, 2 - %7.")
                         .arg(t.count)
                         .arg(QLocale().toString(t.meanPercent, 'f', 1), QLocale().toString(t.medianPercent, 'f', 1))
                         .arg(t.marks[3]).arg(t.marks[2]).arg(t.marks[1]).arg(t.marks[0]));
    const QStringList warnings = journal_.warnings();
    warnings_->setVisible(!warnings.isEmpty());
    warnings_->setText(tr("Skipped, not whole records: %1").arg(warnings.mid(0, 5).join(QStringLiteral("; "))) +
                       (warnings.size() > 5 ? tr(" and %1 more").arg(warnings.size() - 5) : QString()));
}

void JournalWidget::showDetailOf(int proxyRow) {
    const QModelIndex source = proxy_->mapToSource(proxy_->index(proxyRow, 0));
    if (!source.isValid()) return;
    AttemptDetailView detail(model_->attemptAt(source.row()), this);
    detail.exec();
}

void JournalWidget::showItemAnalysis() {
    ItemAnalysisView view(analyseItems(proxy_->shownAttempts()), this);
    view.exec();
}

QString JournalWidget::exportCsv(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    file.write(journalCsv(proxy_->shownAttempts(), marks_));
    return file.commit() ? QString() : file.errorString();
}

QString JournalWidget::exportXlsx(const QString& path) const {
    return writeJournalXlsx(path, proxy_->shownAttempts(), marks_);
}

namespace {

ClassReportTexts reportTexts(const QString& statistics) {
    return {JournalWidget::tr("Class report"), statistics,
            {JournalWidget::tr("Date"), JournalWidget::tr("Last name"), JournalWidget::tr("First name"),
             JournalWidget::tr("Group"), JournalWidget::tr("Test"), JournalWidget::tr("Time spent"),
             JournalWidget::tr("Correct"), JournalWidget::tr("Points"), JournalWidget::tr("Percent"),
             JournalWidget::tr("Mark")}};
}

}  // namespace

QString JournalWidget::exportPdf(const QString& path) const {
    return writeClassReportPdf(path, reportTexts(totals_->text()), proxy_->shownAttempts(), marks_);
}

void JournalWidget::print() {
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    paintClassReport(printer, reportTexts(totals_->text()), proxy_->shownAttempts(), marks_);
}

void JournalWidget::saveAs(const QString& filter, const QString& suffix,
                           QString (JournalWidget::*write)(const QString&) const) {
    QString path = QFileDialog::getSaveFileName(this, tr("Export"), journal_.folder(), filter);
    if (path.isEmpty()) return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    const QString error = (this->*write)(path);
    if (!error.isEmpty()) QMessageBox::warning(this, tr("Export"), tr("Could not export: %1").arg(error));
}
