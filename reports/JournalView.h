#pragma once
// What the teacher chose to see of the journal: a filter, an order by any column, and the totals
// of what is shown.
#include "Attempt.h"
#include "MarkScale.h"

#include <array>
#include <vector>

enum class JournalColumn { Date, LastName, FirstName, Group, Test, TimeSpent, Correct, Points, Percent, Mark };
inline constexpr int JournalColumnCount = 10;

struct JournalFilter {
    QDate from, to;      // null: open-ended
    QString group, test;  // empty: any
    QString name;        // part of the last or first name, any case
    bool accepts(const Attempt& attempt) const;
};

// Negative, zero or positive, as a before, with or after b in the column's order.
int compareAttempts(const Attempt& a, const Attempt& b, JournalColumn column, const MarkSettings& marks);

std::vector<const Attempt*> filteredAttempts(const std::vector<Attempt>& all, const JournalFilter& filter);
void sortAttempts(std::vector<const Attempt*>& shown, JournalColumn column, bool descending,
                  const MarkSettings& marks);

struct JournalTotals {
    int count = 0;
    double meanPercent = 0, medianPercent = 0;
    std::array<int, 4> marks{};  // how many 2, 3, 4 and 5
};

JournalTotals totalsOf(const std::vector<const Attempt*>& shown, const MarkSettings& marks);
