#pragma once
// A three-dimensional pie, drawn with QPainter: a tilted top face, side walls in a darker shade
// of each slice's colour, and a labelled mark joined to each slice by a short line.
#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

struct PieSlice {
    QString label;
    double value = 0;
    QColor color;
};

// A slice's mark: its label in a frame, joined to the slice by a short line.
struct PieMark {
    QString label;
    QLineF line;
    QRectF frame;
};

enum class ValueOrder { Ascending, Descending };

class PieChart3D : public QWidget {
    Q_OBJECT
public:
    explicit PieChart3D(QWidget* parent = nullptr);

    void clear();
    // Slices stay sorted by value in this order; equal values keep the order they were added in.
    void setValueOrder(ValueOrder order);
    void addSlice(const QString& label, double value, const QColor& color);

    ValueOrder valueOrder() const { return order_; }
    const std::vector<PieSlice>& slices() const { return slices_; }  // in drawing order
    // The marks at the chart's present size, one per slice; a slice of value 0 has no wedge but
    // keeps its mark, so "0 из 3" still names both slices.
    std::vector<PieMark> marks() const;

    static constexpr int MarkLineLength = 8;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void sortSlices();

    std::vector<PieSlice> slices_;
    ValueOrder order_ = ValueOrder::Ascending;
};
