#include "PieChart3D.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

// The view from 45 degrees above: the top face is squashed, and the walls are the depth high.
constexpr double Tilt = 0.55;          // vertical radius over horizontal radius
constexpr double DepthShare = 0.4;     // wall height as a share of the vertical radius
constexpr double BottomMarginShare = 0.03;
constexpr double StartAngle = 90;      // the first slice starts at the top and runs clockwise
constexpr int MarkPadding = 4;

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

struct PieGeometry {
    QPointF centre;
    double rx = 0, ry = 0, depth = 0;

    QPointF onRim(double degrees, double drop = 0) const {
        return {centre.x() + rx * std::cos(radians(degrees)),
                centre.y() - ry * std::sin(radians(degrees)) + drop};
    }
    QRectF topRect() const { return {centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry}; }
};

struct SliceSpan {
    const PieSlice* slice;
    double from, to;  // degrees, from > to: slices run clockwise
    double middle() const { return (from + to) / 2; }
};

double sweepOf(const SliceSpan& span) { return span.from - span.to; }

// Every slice gets a span, a slice of value 0 one of no width where it falls, so its mark shows.
std::vector<SliceSpan> spansOf(const std::vector<PieSlice>& slices) {
    double total = 0;
    for (const PieSlice& s : slices) total += std::max(0.0, s.value);
    std::vector<SliceSpan> spans;
    if (total <= 0) return spans;
    double angle = StartAngle;
    for (const PieSlice& s : slices) {
        const double sweep = 360.0 * std::max(0.0, s.value) / total;
        spans.push_back({&s, angle, angle - sweep});
        angle -= sweep;
    }
    return spans;
}

struct PieLayout {
    PieGeometry pie;
    std::vector<SliceSpan> spans;
    QSizeF markBox;
};

// The pie as large as the widget allows with room around it for the marks on every side.
std::optional<PieLayout> layoutOf(const std::vector<PieSlice>& slices, QSize size, const QFont& font) {
    PieLayout layout;
    layout.spans = spansOf(slices);
    if (layout.spans.empty()) return std::nullopt;
    const QFontMetricsF metrics(font);
    layout.markBox = QSizeF(0, metrics.height() + MarkPadding);
    for (const SliceSpan& span : layout.spans)
        layout.markBox.setWidth(
            std::max(layout.markBox.width(), metrics.horizontalAdvance(span.slice->label) + 2 * MarkPadding));

    const double reachX = PieChart3D::MarkLineLength + layout.markBox.width() + MarkPadding;
    const double reachY = PieChart3D::MarkLineLength + layout.markBox.height() + MarkPadding;
    const double width = size.width() - 2 * reachX;
    const double height = size.height() * (1 - BottomMarginShare) - 2 * reachY;
    PieGeometry& pie = layout.pie;
    pie.rx = std::min(width / 2, height / (2 * Tilt + DepthShare * Tilt));
    if (pie.rx <= 0) return std::nullopt;
    pie.ry = pie.rx * Tilt;
    pie.depth = pie.ry * DepthShare;
    pie.centre = QPointF(size.width() / 2.0, reachY + (height - 2 * pie.ry - pie.depth) / 2 + pie.ry);
    return layout;
}

// The wall shows on the front half of the rim, between 180 and 360 degrees (here -180 to 0).
void drawWall(QPainter& painter, const PieGeometry& pie, const SliceSpan& span) {
    if (sweepOf(span) <= 0) return;
    const double from = std::min(span.from, 0.0), to = std::max(span.to, -180.0);
    if (from <= to) return;
    QPolygonF outline;
    const int steps = std::max(2, static_cast<int>((from - to) / 2));
    for (int i = 0; i <= steps; ++i) outline << pie.onRim(from - (from - to) * i / steps);
    for (int i = steps; i >= 0; --i) outline << pie.onRim(from - (from - to) * i / steps, pie.depth);

    // Shaded like a lit cylinder: darkest at the edges, brightest a little left of the middle.
    const QColor base = span.slice->color;
    QLinearGradient shade(pie.centre.x() - pie.rx, 0, pie.centre.x() + pie.rx, 0);
    shade.setColorAt(0.0, base.darker(260));
    shade.setColorAt(0.35, base.darker(130));
    shade.setColorAt(1.0, base.darker(300));
    painter.setPen(QPen(base.darker(320), 1));
    painter.setBrush(shade);
    painter.drawPolygon(outline);
}

void drawTop(QPainter& painter, const PieGeometry& pie, const SliceSpan& span) {
    if (sweepOf(span) <= 0) return;
    QPainterPath wedge;
    if (sweepOf(span) >= 360) {
        wedge.addEllipse(pie.topRect());  // a whole pie has no edge from the centre
    } else {
        wedge.moveTo(pie.centre);
        wedge.arcTo(pie.topRect(), span.from, span.to - span.from);
        wedge.closeSubpath();
    }
    const QColor base = span.slice->color;
    const QPointF light(pie.centre.x() - pie.rx * 0.4, pie.centre.y() - pie.ry * 0.5);
    QRadialGradient shade(light, pie.rx * 1.4);
    shade.setColorAt(0.0, base.lighter(135));
    shade.setColorAt(0.6, base);
    shade.setColorAt(1.0, base.darker(125));
    painter.setPen(QPen(base.darker(200), 1));
    painter.setBrush(shade);
    painter.drawPath(wedge);
}

PieMark markOf(const PieGeometry& pie, const SliceSpan& span, QSizeF box) {
    const double angle = span.middle();
    const double c = std::cos(radians(angle)), s = std::sin(radians(angle));
    const QPointF start = pie.onRim(angle, s < 0 ? pie.depth : 0);
    const QPointF unit = QPointF(c, -s) / std::hypot(c, s);
    const QPointF end = start + unit * PieChart3D::MarkLineLength;
    const double x = c > 0.25 ? end.x() : c < -0.25 ? end.x() - box.width() : end.x() - box.width() / 2;
    const double y = s > 0.25 ? end.y() - box.height() : s < -0.25 ? end.y() : end.y() - box.height() / 2;
    return {span.slice->label, QLineF(start, end), QRectF(QPointF(x, y), box)};
}

void drawMark(QPainter& painter, const PieMark& mark) {
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(mark.line);
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRect(mark.frame);
    painter.drawText(mark.frame, Qt::AlignCenter, mark.label);
}

}  // namespace

PieChart3D::PieChart3D(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 90);
}

void PieChart3D::clear() {
    slices_.clear();
    update();
}

void PieChart3D::setValueOrder(ValueOrder order) {
    order_ = order;
    sortSlices();
}

void PieChart3D::addSlice(const QString& label, double value, const QColor& color) {
    slices_.push_back({label, value, color});
    sortSlices();
}

void PieChart3D::sortSlices() {
    std::stable_sort(slices_.begin(), slices_.end(), [this](const PieSlice& a, const PieSlice& b) {
        return order_ == ValueOrder::Ascending ? a.value < b.value : a.value > b.value;
    });
    update();
}

std::vector<PieMark> PieChart3D::marks() const {
    std::vector<PieMark> marks;
    if (const auto layout = layoutOf(slices_, size(), font()))
        for (const SliceSpan& span : layout->spans) marks.push_back(markOf(layout->pie, span, layout->markBox));
    return marks;
}

void PieChart3D::paintEvent(QPaintEvent*) {
    const auto layout = layoutOf(slices_, size(), font());
    if (!layout) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const SliceSpan& span : layout->spans) drawWall(painter, layout->pie, span);
    for (const SliceSpan& span : layout->spans) drawTop(painter, layout->pie, span);
    for (const SliceSpan& span : layout->spans) drawMark(painter, markOf(layout->pie, span, layout->markBox));
}
