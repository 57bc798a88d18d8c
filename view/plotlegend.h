#pragma once

#include <vector>

#include <QWidget>

class QLineSeries;
class QResizeEvent;
class QString;

// A plot's legend as check boxes, one per line, each with the line's colour
// and name, in rows that wrap to the width: a click (or Space) hides the line
// or shows it again. It takes the place of the chart's own legend, which
// would cut long names to "…" rather than wrap them, and reads out to a
// screen reader as the check boxes it is. A line's description
// (SetLineDescription) is its entry's tooltip. Object names: "legend", and
// "show" + the line's object name.
class PlotLegend : public QWidget {
    Q_OBJECT

public:
    PlotLegend(const std::vector<QLineSeries*>& lines, QWidget* parent);

protected:
    // Holds as its least height what its rows take at its width, so the
    // layout above gives it that room and the plot never lies over it.
    void resizeEvent(QResizeEvent* event) override;
};

// What a line of a plot shows and how it is computed, for its legend entry's
// tooltip; kept on the line itself.
void SetLineDescription(QLineSeries* line, const QString& description);
QString LineDescription(const QLineSeries* line);
