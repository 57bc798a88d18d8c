#pragma once

#include <vector>

#include <QChartView>

class RunRecord;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

// A plot of a run's lines: y against x; in a series run also the closed form,
// and |series - closed form| against a logarithmic axis on the right with the
// precision drawn as a line, to show where the series stops being
// trustworthy. Each line is thinned to its lowest and highest point per pixel
// column, so a million lines draw at once and no peak is lost. The mouse
// wheel zooms about the pointer, a dragged rectangle zooms to it, a double
// click or ResetZoom() shows everything again; PointerAt tells the line
// under the pointer. The record must outlive the plot.
class RunPlot : public QChartView {
    Q_OBJECT

public:
    RunPlot(const RunRecord& record, QWidget* parent);

    void ResetZoom();

    // The drawn lines, for those who read the plot: "values", "closedForm",
    // "difference" and "precision" by object name.
    QLineSeries* Line(const char* objectName) const;

signals:
    // "x = 0.1; y = -0.02" for the line nearest the pointer.
    void PointerAt(const QString& readout);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void AddSeriesLines();
    void Redraw();
    QString Readout(size_t index) const;

    const RunRecord& record_;
    std::vector<double> closedForm_;       // series runs only, beside the series
    std::vector<double> shownDifference_;  // |y - closed form|, kept above 0 for the log axis
    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
    QLogValueAxis* differenceAxis_ = nullptr;
    QLineSeries* values_ = nullptr;
    QLineSeries* closedFormLine_ = nullptr;
    QLineSeries* difference_ = nullptr;
    QLineSeries* precision_ = nullptr;
};
