#pragma once

#include <vector>

#include <QWidget>

class QLineSeries;
class QResizeEvent;

// A plot's legend as check boxes, one per line, each with the line's colour
// and name, in rows that wrap to the width: a click (or Space) hides the line
// or shows it again. It takes the place of the chart's own legend, which
// would cut long names to "…" rather than wrap them, and reads out to a
// screen reader as the check boxes it is. Object names: "legend", and "show"
// + the line's object name.
class PlotLegend : public QWidget {
    Q_OBJECT

public:
    PlotLegend(const std::vector<QLineSeries*>& lines, QWidget* parent);

protected:
    // Holds as its least height what its rows take at its width, so the
    // layout above gives it that room and the plot never lies over it.
    void resizeEvent(QResizeEvent* event) override;
};
