#include "view/xyplot.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>

#include "plotmath/zoom.h"

XyPlot::XyPlot(QWidget* parent) : PlotView(parent) {}

XyPlot::~XyPlot() = default;

void XyPlot::AddAxes() {
    chart()->addAxis(x_->Axis(), Qt::AlignBottom);
    chart()->addAxis(y_->Axis(), Qt::AlignLeft);
    connect(chart(), &QChart::plotAreaChanged, this, [this] {
        Guarded([this] {
            x_->Retick(chart()->plotArea(), chart()->size().width());
            y_->Retick(chart()->plotArea(), chart()->size().width());
            Redraw();  // new pixel columns
        });
    });
}

void XyPlot::ResetZoom() {
    Show(*x_, x_->Whole());
    Show(*y_, y_->Whole());
    Redraw();
}

void XyPlot::Show(PlotAxis& axis, AxisRange shown) {
    axis.Show(shown, chart()->plotArea(), chart()->size().width());
}

QPointF XyPlot::ValueAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    const QPointF plotted = chart()->mapToValue(inChart, Reference());
    return {x_->Mapping().ToValue(plotted.x()), y_->Mapping().ToValue(plotted.y())};
}

void XyPlot::ZoomAbout(QPointF position, double factor) {
    const QPointF at = ValueAt(position);
    Show(*x_, Zoomed(x_->Shown(), at.x(), factor, x_->Widest()));
    Show(*y_, Zoomed(y_->Shown(), at.y(), factor, y_->Widest()));
    Redraw();
}

void XyPlot::ZoomTo(QRectF area) {
    const QPointF first = ValueAt(area.topLeft());
    const QPointF last = ValueAt(area.bottomRight());
    Show(*x_, Limited({first.x(), last.x()}, x_->Widest()));
    Show(*y_, Limited({first.y(), last.y()}, y_->Widest()));
    Redraw();
}
