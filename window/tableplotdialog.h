#pragma once

#include <memory>

#include <QDialog>

#include "window/runpoints.h"

class QLabel;
class QTableView;
class RunPlot;

// "Таблица и график": the last run as a table (CoordinatesTableModel) and as a
// plot (RunPlot), on two tabs, with "Сохранить…" and "Закрыть". Modal and
// resizable; it remembers nothing between openings. A run without lines
// gets a sentence that says so, and nothing to draw or save. Ctrl+C copies
// the table's selection as tab-separated text. Object names: "table", "plot",
// "pointer" (the plot's readout), "saveButton", "resetZoomButton",
// "closeButton", "empty". The run must outlive the dialogue.
class TablePlotDialog : public QDialog {
    Q_OBJECT

public:
    // Throws ArithmeticFault where the run's own evaluation would have.
    TablePlotDialog(QWidget* parent, const SweepState& run);
    ~TablePlotDialog() override;

private:
    QWidget* MakeTable();
    QWidget* MakePlot();
    void CopySelection();

    const SweepState& run_;
    RunPoints points_;
    QTableView* table_ = nullptr;
    RunPlot* plot_ = nullptr;
};
