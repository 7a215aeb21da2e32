#pragma once
// The test window's proportional layout: four rows and two columns that fill Panel2, and the
// three buttons that fill Panel6. Pure arithmetic, so it is checked without a window.
#include <QRect>
#include <array>

inline constexpr int LayoutMargin = 5;  // M
inline constexpr int LayoutGap = 5;     // G

struct Panel2Layout {
    int rowHeight = 0;    // c, never below 0
    int columnWidth = 0;  // d, never below 0
    QRect question;
    std::array<QRect, 5> answers;  // answers[k - 1] is rAnswer<k>
    QRect panel6;
};

struct Panel6Layout {
    QRect next, prev, end;
    bool prevVisible = false;
};

// A window too small for the rows keeps every size at 0 instead of going negative.
Panel2Layout layoutPanel2(int width, int height);
Panel6Layout layoutPanel6(int width, int height, bool allowReturn);

// Frames around a view: the hover frame one pixel out, the selection frame two.
QRect hoverFrameAround(const QRect& view);
QRect selectionFrameAround(const QRect& view);
