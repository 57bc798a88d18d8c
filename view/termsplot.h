#pragma once

#include <optional>
#include <vector>

#include <QPen>
#include <QString>

#include "view/xyplot.h"

// One line of a terms plot: a magnitude for every term index n (or for the
// first few), drawn on the logarithmic axis; a magnitude of 0 sits at the
// axis's foot.
struct TermsCurve {
    const char* objectName = "";
    QString name;  // as the legend shows it
    QPen pen;
    std::vector<double> magnitudes;  // one per n
    bool markers = false;            // a dot at every n
};

// Magnitudes against the term index n (1, 2, ...) on a logarithmic axis, with
// the precision as a dashed line across: how the terms, the partial sums'
// errors and the rounding floor go as the series is summed. Zooms as every
// plot (XyPlot); the pointer's readout, and Left and Right from the
// keyboard, tell every shown line's value at an n; + and − zoom about the
// middle, Home shows everything.
class TermsPlot final : public XyPlot {
    Q_OBJECT

public:
    // `curves` each hold as many magnitudes as there are terms (n = 1 ... count).
    TermsPlot(std::vector<TermsCurve> curves, double precision, QWidget* parent);
    ~TermsPlot() override;

    std::vector<QLineSeries*> Lines() const override;
    // Draws the curve at `index` anew, with other magnitudes and name.
    void ReplaceCurve(size_t index, std::vector<double> magnitudes, const QString& name);

protected:
    void PointerMoved(QPointF position) override;
    std::optional<std::function<void()>> KeyAction(int key) override;

private:
    void Redraw() override;
    QLineSeries* Reference() const override { return lines_.front(); }
    // The readout at term n.
    QString Readout(int n) const;
    int TermCount() const;

    std::vector<TermsCurve> curves_;
    std::vector<QLineSeries*> lines_;  // the curves', then the precision's
    double precision_;
    std::optional<int> told_;  // the n the keys last told
};
