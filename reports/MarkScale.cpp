#include "MarkScale.h"

int MarkScale::markOf(int correct, int asked) const {
    // Compared as products, so 17 of 20 is 85% exactly and not a rounding below it.
    const double hundredths = 100.0 * correct;
    for (std::size_t i = 0; i < from.size(); ++i)
        if (asked > 0 && hundredths >= from[i] * asked) return 5 - int(i);
    return 2;
}

const MarkScale& MarkSettings::scaleFor(const QString& title) const {
    const auto found = byTestTitle.constFind(title);
    return found != byTestTitle.constEnd() ? *found : defaultScale;
}
