#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QChartView>
#include <QStringList>

#include "plotmath/axismapping.h"
#include "plotmath/axisrange.h"
#include "plotmath/ticks.h"

class QCategoryAxis;
class QLineSeries;
class QRubberBand;
class RunRecord;

// A plot of a run's lines: y against x; in a series run also the closed form,
// and |series - closed form| on a logarithmic axis on the right with the
// precision drawn as a line, to show where the series stops being
// trustworthy. Each line is thinned to its lowest and highest point per pixel
// column, so a million lines draw at once and no peak is lost; a line of one
// point shows as a marker. The mouse wheel zooms about the pointer and a
// dragged rectangle zooms to it, all three axes alike, within what the axes
// can show; a double click or ResetZoom() shows everything again. Tick labels
// are round numbers in a compact form, no two alike. PointerAt tells the line
// under the pointer in a text of bounded length. The record must outlive the
// plot.
class RunPlot : public QChartView {
    Q_OBJECT

public:
    RunPlot(const RunRecord& record, QWidget* parent);
    ~RunPlot() override;

    void ResetZoom();

    // The drawn lines, for those who read the plot: "values", "closedForm",
    // "difference" and "precision" by object name.
    QLineSeries* Line(const char* objectName) const;

    enum class Axis { X, Y, Error };
    // The range an axis shows, in the run's values; the error axis's in
    // decades (log10 of its values).
    std::pair<double, double> ShownRange(Axis axis) const;
    // The axis's tick labels, from the lowest up.
    QStringList TickLabels(Axis axis) const;
    // Where the point (x, y) of the run's values lies in the viewport.
    QPointF PositionOf(double x, double y) const;

signals:
    // "x = 0.1; y = -0.02" for the line nearest the pointer.
    void PointerAt(const QString& readout);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // One axis: what it may show and what it shows.
    struct PlotAxis {
        QCategoryAxis* axis = nullptr;
        QString title;     // without the offset its labels may count from
        AxisRange whole;   // everything, as at opening
        AxisRange widest;  // as far as zooming out goes
        AxisMapping mapping;
        AxisRange shown;
        bool decades = false;  // a logarithmic axis, its values in decades

        PlotAxis(const QString& title, AxisRange whole, AxisRange bounds, bool decades);
    };

    // Runs a step of the plot's own: a failure (memory running out) is told in
    // the readout, never thrown into the event loop.
    bool Guarded(const std::function<void()>& action);
    void AddSeriesLines();
    void Show(PlotAxis& axis, AxisRange shown);
    void ShowTicks(PlotAxis& axis);
    AxisTicks ChooseTicks(const PlotAxis& axis) const;
    void ShowAllTicks();
    void Redraw();
    void ZoomAbout(QPointF position, double factor);
    void ZoomTo(QRectF area);
    // The values of each axis at a point of the viewport.
    double XAt(QPointF position) const;
    double YAt(QPointF position) const;
    double DecadeAt(QPointF position) const;
    const PlotAxis& AxisOf(Axis axis) const;
    QString Readout(size_t index) const;

    const RunRecord& record_;
    std::vector<double> closedForm_;         // series runs only, beside the series
    std::vector<double> differenceDecades_;  // log10 |series - closed form|, zero at the floor
    std::optional<PlotAxis> x_;
    std::optional<PlotAxis> y_;
    std::optional<PlotAxis> error_;  // series runs only
    QLineSeries* values_ = nullptr;
    QLineSeries* closedFormLine_ = nullptr;
    QLineSeries* difference_ = nullptr;
    QLineSeries* precision_ = nullptr;
    QRubberBand* rubberBand_ = nullptr;
    QPoint dragStart_;
    bool dragging_ = false;
    QSizeF ticksMadeFor_;  // the plot area the ticks were chosen for
};
