#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QChartView>
#include <QStringList>

#include "analysis/errorcurves.h"
#include "view/plotaxis.h"

struct PlotFacts;
class QLineSeries;
class QScatterSeries;
class QRubberBand;
class RunRecord;

// A plot of a run's lines: y against x (in a series run the closed form
// beside it), and on a logarithmic axis on the right the errors against the
// exact reference y*: |formula - y*|, and in a series run |series - y*|, the
// errors of the two remedies (the series at the reduced argument, and the
// compensated sum of the same terms) and the precision as a line. The curves
// over every line are thinned to their lowest and highest point per pixel
// column, so a million lines draw at once and no peak is lost; they measure
// against a long-double stand-in of y* (StandInValue). The remedies' curves
// are computed where they are looked at, at a few points per pixel column of
// the shown range. A line of one point shows as a marker; the legend
// (PlotLegend, beside the plot) hides or shows each line. The mouse wheel zooms about the pointer
// and a dragged rectangle zooms to it, all three axes alike, within what the axes can show; a
// double click or ResetZoom() shows everything again. PointerAt tells the line under the pointer,
// measured against y* itself. From the keyboard: Left and Right put a marker on the line before
// or after (the first key, on the line in the middle of the view), Page Up and Page Down a
// twentieth of the run away, + and − zoom about the marker, Home shows everything; Told says
// what each key did. The accessible description sums up what the plot shows (PlotSummary).
// The colours follow the palette, light or dark; a ring round the plot shows when it has the
// keyboard. The record must outlive the plot.
class RunPlot : public QChartView {
    Q_OBJECT

public:
    RunPlot(const RunRecord& record, QWidget* parent);
    ~RunPlot() override;

    void ResetZoom();

    // The drawn lines, for those who read the plot, by object name:
    // "values", "closedForm", "closedFormError", "seriesError", "reducedError",
    // "compensatedError", "precision".
    QLineSeries* Line(const char* objectName) const;
    // Every drawn line, in the order the legend lists them.
    std::vector<QLineSeries*> Lines() const;

    enum class Axis { X, Y, Error };
    // The range an axis shows, in the run's values; the error axis's in
    // decades (log10 of its values).
    std::pair<double, double> ShownRange(Axis axis) const;
    // The axis's tick labels, from the lowest up.
    QStringList TickLabels(Axis axis) const;
    // Where the point (x, y) of the run's values lies in the viewport.
    QPointF PositionOf(double x, double y) const;

    // The plot as a picture for files, the clipboard and the printer: the
    // chart as shown, and under it a legend of the lines shown, in a picture
    // of `size` logical pixels painted from (0, 0).
    void DrawImage(QPainter& painter, QSize size) const;
    // The picture's size at the plot's size on screen.
    QSize ImageSize() const;
    // The height the legend takes in a picture `width` pixels wide.
    int LegendHeight(int width) const;

signals:
    // "x = 0.1; y = -0.02; …" for the line nearest the pointer.
    void PointerAt(const QString& readout);
    // What a key did, for a screen reader to speak: the marked line's readout,
    // or the ranges shown after a zoom.
    void Told(const QString& news);

protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // An error curve over every line, in decades.
    struct FullCurve {
        QLineSeries* line = nullptr;
        std::vector<double> decades;
    };
    // An error curve computed where it is looked at, in decades.
    struct SampledCurve {
        QLineSeries* line = nullptr;
        Remedy remedy;
        std::unordered_map<size_t, double> decades;
    };

    // Runs a step of the plot's own: a failure (memory running out) is told in
    // the readout, never thrown into the event loop.
    bool Guarded(const std::function<void()>& action);
    void AddValueLines();
    void AddErrorLines();
    void AddRemedyLines();
    void AddMarker();
    void Show(PlotAxis& axis, AxisRange shown);
    void ShowAllTicks();
    void Redraw();
    // Puts the marker on the marked line, if any.
    void PlaceMarker();
    void RedrawSampled(SampledCurve& curve, size_t first, size_t last, int columns);
    void ZoomAbout(QPointF position, double factor);
    void ZoomTo(QRectF area);
    // The values of each axis at a point of the viewport.
    double XAt(QPointF position) const;
    double YAt(QPointF position) const;
    double DecadeAt(QPointF position) const;
    const PlotAxis& AxisOf(Axis axis) const;
    std::vector<QLineSeries*> ShownLines() const;
    QString Readout(size_t index) const;
    // Dresses the chart and the lines in the palette.
    void ApplyPalette();
    // Tells a screen reader what the plot shows now (its description).
    void Describe(const QString& point = {});
    PlotFacts Facts() const;
    // Tells, through Told, the ranges the axes show.
    void TellRanges();
    // Puts the keyboard's marker on line `index`, in view, and tells of it.
    void MarkLine(size_t index);
    // What a key of the plot's own does; none for other keys.
    std::optional<std::function<void()>> KeyAction(int key);

    const RunRecord& record_;
    std::vector<double> closedForm_;  // series runs only, beside the series
    std::optional<PlotAxis> x_;
    std::optional<PlotAxis> y_;
    std::optional<PlotAxis> error_;
    QLineSeries* values_ = nullptr;
    QLineSeries* closedFormLine_ = nullptr;
    std::vector<FullCurve> errors_;
    std::vector<SampledCurve> remedies_;  // series runs only
    QLineSeries* precision_ = nullptr;    // series runs only
    QScatterSeries* marker_ = nullptr;    // the line the keyboard chose
    std::optional<size_t> marked_;
    std::vector<std::pair<QLineSeries*, QColor>> colours_;  // each line's own colour
    std::int64_t notGuaranteed_ = 0;
    QRubberBand* rubberBand_ = nullptr;
    QPoint dragStart_;
    bool dragging_ = false;
    QSizeF ticksMadeFor_;  // the plot area the ticks were chosen for
};
