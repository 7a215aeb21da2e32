#pragma once
// Marks from the share of correct answers: the Russian 5-point scale by default, with editable
// thresholds, and a scale of its own for any test title.
#include <QHash>
#include <QString>
#include <array>

struct MarkScale {
    std::array<double, 3> from = {85, 65, 45};  // lowest percent for 5, 4 and 3; below: 2
    int markOf(int correct, int asked) const;
    bool operator==(const MarkScale&) const = default;
};

struct MarkSettings {
    MarkScale defaultScale;
    QHash<QString, MarkScale> byTestTitle;
    const MarkScale& scaleFor(const QString& title) const;
    int markOf(const QString& title, int correct, int asked) const { return scaleFor(title).markOf(correct, asked); }
};
