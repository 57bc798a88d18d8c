#pragma once

#include <QString>
#include <QStringList>

#include "plotmath/axismapping.h"
#include "plotmath/axisrange.h"
#include "plotmath/ticks.h"

class QCategoryAxis;
class QChart;
class QLineSeries;
class QPen;
class QRectF;
class QSize;

// One axis of a plot: what it may show (its whole range, and as far as
// zooming out goes) and what it shows, drawn on a Qt Charts category axis
// whose labels are our own ticks (round values, compact, no two alike,
// counting from an offset named in the title where needed), at plot
// coordinates that never overflow (AxisMapping). A logarithmic axis holds its
// values in decades.
class PlotAxis {
public:
    PlotAxis(const QString& title, AxisRange whole, AxisRange bounds, bool decades,
             Qt::Orientation orientation);

    QCategoryAxis* Axis() const { return axis_; }
    const AxisMapping& Mapping() const { return mapping_; }
    AxisRange Whole() const { return whole_; }
    AxisRange Widest() const { return widest_; }
    AxisRange Shown() const { return shown_; }
    bool Decades() const { return decades_; }
    QStringList Labels() const;

    // Shows `shown`, with ticks chosen for the plot area and the chart's width.
    void Show(AxisRange shown, const QRectF& plotArea, double chartWidth);
    // Chooses the ticks again, for a new plot area.
    void Retick(const QRectF& plotArea, double chartWidth);

private:
    AxisTicks ChooseTicks(const QRectF& plotArea) const;

    QCategoryAxis* axis_;
    QString title_;  // without the offset the labels may count from
    AxisRange whole_;
    AxisRange widest_;
    AxisMapping mapping_;
    AxisRange shown_;
    bool decades_;
    Qt::Orientation orientation_;
};

// The smallest size at which `chart` shows its axes' titles whole (a
// vertical title runs along the plot's height) beside a few tick labels.
QSize LegibleChartSize(const QChart& chart);

// A line named `name` (as the legend shows it) added to `chart`, drawn with
// `pen`; `objectName` finds it.
QLineSeries* MakeLine(const char* objectName, const QString& name, const QPen& pen, QChart* chart);

// Draws `line` against the two axes.
void Attach(QLineSeries* line, const PlotAxis& horizontal, const PlotAxis& vertical);
