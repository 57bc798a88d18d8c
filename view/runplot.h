#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QStringList>

#include "analysis/errorcurves.h"
#include "view/plotaxis.h"
#include "view/plotview.h"

struct PlotFacts;
class QLineSeries;
class QScatterSeries;
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
// (PlotLegend, beside the plot) hides or shows each line. Zooming, the ring
// and the picture are PlotView's; zooms act on all three axes alike, within
// what the axes can show. PointerAt tells the line under the pointer,
// measured against y* itself. From the keyboard: Left and Right put a marker
// on the line before or after (the first key, on the line in the middle of
// the view), Page Up and Page Down a twentieth of the run away, + and − zoom
// about the marker, Home shows everything; Told says what each key did. The
// accessible description sums up what the plot shows (PlotSummary). The
// record must outlive the plot.
class RunPlot final : public PlotView {
    Q_OBJECT

public:
    RunPlot(const RunRecord& record, QWidget* parent);
    ~RunPlot() override;

    void ResetZoom() override;

    // The drawn lines, by object name (Line): "values", "closedForm",
    // "closedFormError", "seriesError", "reducedError", "compensatedError",
    // "precision"; Lines() in the order the legend lists them.
    std::vector<QLineSeries*> Lines() const override;

    // For tests, which read what the axes show.
    enum class Axis { X, Y, Error };
    // The range an axis shows, in the run's values; the error axis's in
    // decades (log10 of its values).
    std::pair<double, double> ShownRange(Axis axis) const;
    // The axis's tick labels, from the lowest up.
    QStringList TickLabels(Axis axis) const;
    // Where the point (x, y) of the run's values lies in the viewport.
    QPointF PositionOf(double x, double y) const;

protected:
    void ApplyPalette() override;
    void ZoomAbout(QPointF position, double factor) override;
    void ZoomTo(QRectF area) override;
    void PointerMoved(QPointF position) override;
    std::optional<std::function<void()>> KeyAction(int key) override;

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

    void AddValueLines();
    void AddErrorLines();
    void AddRemedyLines();
    void AddMarker();
    // Gives every line its legend tooltip.
    void DescribeLines();
    void Show(PlotAxis& axis, AxisRange shown);
    void ShowAllTicks();
    void Redraw();
    // Puts the marker on the marked line, if any.
    void PlaceMarker();
    void RedrawSampled(SampledCurve& curve, size_t first, size_t last, int columns);
    // The values of each axis at a point of the viewport.
    double XAt(QPointF position) const;
    double YAt(QPointF position) const;
    double DecadeAt(QPointF position) const;
    const PlotAxis& AxisOf(Axis axis) const;
    QString Readout(size_t index) const;
    // Tells a screen reader what the plot shows now (its description).
    void Describe(const QString& point = {});
    PlotFacts Facts() const;
    // Tells, through Told, the ranges the axes show.
    void TellRanges();
    // Puts the keyboard's marker on line `index`, in view, and tells of it.
    void MarkLine(size_t index);

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
    std::int64_t notGuaranteed_ = 0;
    std::string sweepText_;  // how the sweep's rounding showed, for the summary
    QSizeF ticksMadeFor_;    // the plot area the ticks were chosen for
};
