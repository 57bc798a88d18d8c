#pragma once

#include <string>

#include <QDialog>

class QLabel;
class RunRecord;
class QTableView;
class RunPlot;

// "Таблица и график": the last run as a table (CoordinatesTableModel) and as a
// plot (RunPlot), on two tabs, with "Сохранить…" and "Закрыть". Modal and
// resizable; it remembers nothing between openings. A run without lines
// gets a sentence that says so, and nothing to draw or save. Ctrl+C copies
// the table's selection as tab-separated text. Object names: "table", "plot",
// "pointer" (the plot's readout), "saveButton", "resetZoomButton",
// "closeButton", "empty". The text and the record must outlive the dialogue.
class TablePlotDialog : public QDialog {
    Q_OBJECT

public:
    // `text` is the run's coordinates text, `record` its record.
    TablePlotDialog(QWidget* parent, const std::string& text, const RunRecord& record);
    ~TablePlotDialog() override;

private:
    QWidget* MakeTable();
    QWidget* MakePlot();
    void CopySelection();

    const std::string& text_;
    const RunRecord& record_;
    QTableView* table_ = nullptr;
    RunPlot* plot_ = nullptr;
};
