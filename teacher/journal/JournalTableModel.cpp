#include "JournalTableModel.h"

JournalTableModel::JournalTableModel(const Journal& journal, const MarkSettings& marks, QObject* parent)
    : QAbstractTableModel(parent), journal_(journal), marks_(marks) {}

void JournalTableModel::journalChanged() {
    const int now = int(journal_.attempts().size());
    if (now > rows_ && rows_ > 0) {
        // Attempts are only appended between opens, so the rows shown keep their place.
        beginInsertRows({}, rows_, now - 1);
        rows_ = now;
        endInsertRows();
        return;
    }
    beginResetModel();
    rows_ = now;
    endResetModel();
}

int JournalTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int JournalTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : JournalColumnCount;
}

QVariant JournalTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) return {};
    const auto column = JournalColumn(index.column());
    if (role == Qt::TextAlignmentRole)
        return column >= JournalColumn::TimeSpent ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    const Attempt& a = attemptAt(index.row());
    switch (column) {
    case JournalColumn::Date: return QLocale().toString(a.date, QLocale::ShortFormat);
    case JournalColumn::LastName: return a.lastName;
    case JournalColumn::FirstName: return a.firstName;
    case JournalColumn::Group: return a.group;
    case JournalColumn::Test: return a.test;
    case JournalColumn::TimeSpent: return a.timeSpent;
    case JournalColumn::Correct: return QStringLiteral("%1 / %2").arg(a.correct).arg(a.asked);
    case JournalColumn::Points: return QLocale().toString(a.points, 'g', 4);
    case JournalColumn::Percent: return QLocale().toString(a.percent, 'f', 1);
    case JournalColumn::Mark: return marks_.markOf(a.test, a.correct, a.asked);
    }
    return {};
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    switch (JournalColumn(section)) {
    case JournalColumn::Date: return tr("Date");
    case JournalColumn::LastName: return tr("Last name");
    case JournalColumn::FirstName: return tr("First name");
    case JournalColumn::Group: return tr("Group");
    case JournalColumn::Test: return tr("Test");
    case JournalColumn::TimeSpent: return tr("Time spent");
    case JournalColumn::Correct: return tr("Correct / asked");
    case JournalColumn::Points: return tr("Points");
    case JournalColumn::Percent: return tr("Percent");
    case JournalColumn::Mark: return tr("Mark");
    }
    return {};
}

JournalProxyModel::JournalProxyModel(JournalTableModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), source_(source) {
    setSourceModel(source);
}

void JournalProxyModel::setJournalFilter(const JournalFilter& filter) {
    filter_ = filter;
    invalidateFilter();
}

std::vector<const Attempt*> JournalProxyModel::shownAttempts() const {
    std::vector<const Attempt*> shown;
    shown.reserve(std::size_t(rowCount()));
    for (int r = 0; r < rowCount(); ++r) shown.push_back(&source_->attemptAt(mapToSource(index(r, 0)).row()));
    return shown;
}

bool JournalProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return filter_.accepts(source_->attemptAt(sourceRow));
}

bool JournalProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return compareAttempts(source_->attemptAt(left.row()), source_->attemptAt(right.row()),
                           JournalColumn(left.column()), source_->marks()) < 0;
}
