#include "TestLayout.h"

#include <algorithm>

Panel2Layout layoutPanel2(int width, int height) {
    constexpr int M = LayoutMargin, G = LayoutGap;
    Panel2Layout layout;
    const int c = std::max(0, (height - 3 * G - 2 * M) / 4);
    const int d = std::max(0, (width - G - 2 * M) / 2);
    layout.rowHeight = c;
    layout.columnWidth = d;
    layout.question = QRect(M, M, std::max(0, width - 2 * M), c);
    const int rightLeft = M + d + G;
    for (int row = 1; row <= 3; ++row)
        layout.answers[row - 1] = QRect(M, M + row * (c + G), d, c);
    layout.answers[3] = QRect(rightLeft, M + c + G, d, c);
    layout.answers[4] = QRect(rightLeft, M + 2 * (c + G), d, c);
    layout.panel6 = QRect(rightLeft, M + 3 * (c + G), d, c);
    return layout;
}

Panel6Layout layoutPanel6(int width, int height, bool allowReturn) {
    const int w = std::max(0, width), h = std::max(0, height);
    Panel6Layout layout;
    layout.end = QRect(0, h / 2, w, h / 2);
    if (allowReturn) {
        layout.prev = QRect(0, 0, w / 2, h / 2);
        layout.next = QRect(w / 2, 0, w / 2, h / 2);
        layout.prevVisible = true;
    } else {
        layout.next = QRect(0, 0, w, h / 2);
    }
    return layout;
}

QRect hoverFrameAround(const QRect& view) { return view.adjusted(-1, -1, 1, 1); }

QRect selectionFrameAround(const QRect& view) { return view.adjusted(-2, -2, 2, 2); }
