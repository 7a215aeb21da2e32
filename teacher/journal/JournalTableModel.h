#pragma once
// The journal's attempts as a table, and the proxy that filters and sorts it with the journal's
// own rules.
#include "Journal.h"
#include "JournalView.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

class JournalTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    JournalTableModel(const Journal& journal, const MarkSettings& marks, QObject* parent = nullptr);
    void journalChanged();  // after the journal was opened or refreshed

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const Attempt& attemptAt(int row) const { return journal_.attempts()[std::size_t(row)]; }
    const MarkSettings& marks() const { return marks_; }

private:
    const Journal& journal_;
    const MarkSettings& marks_;
    int rows_ = 0;
};

class JournalProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit JournalProxyModel(JournalTableModel* source, QObject* parent = nullptr);
    void setJournalFilter(const JournalFilter& filter);
    std::vector<const Attempt*> shownAttempts() const;  // in the order shown

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    JournalTableModel* source_;
    JournalFilter filter_;
};
