#pragma once

#include <optional>
#include <vector>

#include "plotmath/axisrange.h"
#include "view/xyplot.h"

class QAreaSeries;

// The Taylor polynomials over a run's range: y* and S_n(x), summed as the
// run's series sums them (PartialSums), with a few earlier n drawn faintly
// behind so the family is seen converging, and the interval around 0 where
// S_n keeps within the tolerance shaded (GoodRadius). The y axis shows
// [−4, 2] at first, so one runaway polynomial does not flatten the others;
// they are clipped where they leave it. The curves are computed at two
// points per pixel column of the x range shown, whatever the run's length.
// Zooms as every plot (XyPlot); Left and Right choose n (DegreeChanged),
// + and − zoom about the middle, Home shows everything; the pointer's
// readout gives x, S_n(x), y* and |S_n − y*|. The accessible description
// says what is drawn and the interval.
class TaylorPlot final : public XyPlot {
    Q_OBJECT

public:
    // `run`: the run's least and largest abscissa; n from 1 to `most`.
    TaylorPlot(AxisRange run, int most, int degree, double tolerance, bool series, QWidget* parent);
    ~TaylorPlot() override;

    // y*, S_n, and the earlier n (one entry: its visibility is all of theirs).
    std::vector<QLineSeries*> Lines() const override;

    int Degree() const { return degree_; }
    void SetDegree(int degree);
    void SetTolerance(double tolerance);
    // The half-width of the shaded interval, and its words.
    double GoodRadius() const { return radius_; }
    QString IntervalText() const;
    // The earlier n drawn behind S_n, from the nearest down.
    std::vector<int> EarlierDegrees() const;

signals:
    // The keys chose another n.
    void DegreeChanged(int degree);
    // The interval was found anew, for another n or tolerance.
    void IntervalChanged(const QString& text);

protected:
    void ApplyPalette() override;
    void PointerMoved(QPointF position) override;
    std::optional<std::function<void()>> KeyAction(int key) override;

private:
    void Redraw() override;
    QLineSeries* Reference() const override { return exact_; }
    void FindInterval();
    void Describe();

    AxisRange run_;
    int most_;
    int degree_;
    double tolerance_;
    bool series_;
    double radius_ = 0.0;
    QLineSeries* exact_ = nullptr;
    QLineSeries* current_ = nullptr;
    std::vector<QLineSeries*> earlier_;
    QLineSeries* shadeTop_ = nullptr;
    QLineSeries* shadeFoot_ = nullptr;
    QAreaSeries* shade_ = nullptr;
};
