#include "JournalView.h"

#include <algorithm>

bool JournalFilter::accepts(const Attempt& a) const {
    if (from.isValid() && a.date < from) return false;
    if (to.isValid() && a.date > to) return false;
    if (!group.isEmpty() && a.group != group) return false;
    if (!test.isEmpty() && a.test != test) return false;
    return name.isEmpty() || a.lastName.contains(name, Qt::CaseInsensitive) ||
           a.firstName.contains(name, Qt::CaseInsensitive);
}

namespace {

template <typename T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareText(const QString& a, const QString& b) { return QString::localeAwareCompare(a, b); }

}  // namespace

int compareAttempts(const Attempt& a, const Attempt& b, JournalColumn column, const MarkSettings& marks) {
    switch (column) {
    case JournalColumn::Date: return threeWay(a.date, b.date);
    case JournalColumn::LastName: return compareText(a.lastName, b.lastName);
    case JournalColumn::FirstName: return compareText(a.firstName, b.firstName);
    case JournalColumn::Group: return compareText(a.group, b.group);
    case JournalColumn::Test: return compareText(a.test, b.test);
    case JournalColumn::TimeSpent: return threeWay(a.seconds, b.seconds);
    case JournalColumn::Correct: return threeWay(a.correct, b.correct);
    case JournalColumn::Points: return threeWay(a.points, b.points);
    case JournalColumn::Percent: return threeWay(a.percent, b.percent);
    case JournalColumn::Mark:
        return threeWay(marks.markOf(a.test, a.correct, a.asked), marks.markOf(b.test, b.correct, b.asked));
    }
    return 0;
}

std::vector<const Attempt*> filteredAttempts(const std::vector<Attempt>& all, const JournalFilter& filter) {
    std::vector<const Attempt*> shown;
    shown.reserve(all.size());
    for (const Attempt& a : all)
        if (filter.accepts(a)) shown.push_back(&a);
    return shown;
}

void sortAttempts(std::vector<const Attempt*>& shown, JournalColumn column, bool descending,
                  const MarkSettings& marks) {
    std::stable_sort(shown.begin(), shown.end(), [&](const Attempt* a, const Attempt* b) {
        const int order = compareAttempts(*a, *b, column, marks);
        return descending ? order > 0 : order < 0;
    });
}

JournalTotals totalsOf(const std::vector<const Attempt*>& shown, const MarkSettings& marks) {
    JournalTotals totals;
    totals.count = int(shown.size());
    if (shown.empty()) return totals;
    std::vector<double> percents;
    percents.reserve(shown.size());
    double sum = 0;
    for (const Attempt* a : shown) {
        percents.push_back(a->percent);
        sum += a->percent;
        ++totals.marks[std::size_t(marks.markOf(a->test, a->correct, a->asked) - 2)];
    }
    totals.meanPercent = sum / double(shown.size());
    std::sort(percents.begin(), percents.end());
    const std::size_t middle = percents.size() / 2;
    totals.medianPercent = percents.size() % 2 ? percents[middle] : (percents[middle - 1] + percents[middle]) / 2;
    return totals;
}
