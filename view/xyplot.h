#pragma once

#include <optional>

#include "view/plotaxis.h"
#include "view/plotview.h"

// A plot of one horizontal and one vertical axis (the terms against n, the
// Taylor polynomials against x): zooming acts on both alike, within what they
// can show, and ResetZoom shows both whole; what to draw after each is the
// plot's own (Redraw). The plot makes x_ and y_, then adds them (AddAxes).
class XyPlot : public PlotView {
    Q_OBJECT

public:
    explicit XyPlot(QWidget* parent);
    ~XyPlot() override;

    void ResetZoom() override;

protected:
    // Adds x_ and y_, made by the plot, to the chart, and keeps their ticks
    // chosen for the plot area as it changes (then Redraw).
    void AddAxes();
    // The values at a point of the viewport.
    QPointF ValueAt(QPointF position) const;
    void Show(PlotAxis& axis, AxisRange shown);
    // Draws the lines for the ranges shown.
    virtual void Redraw() = 0;
    // The line the viewport's points are mapped through.
    virtual QLineSeries* Reference() const = 0;

    void ZoomAbout(QPointF position, double factor) override;
    void ZoomTo(QRectF area) override;

    std::optional<PlotAxis> x_;
    std::optional<PlotAxis> y_;
};
