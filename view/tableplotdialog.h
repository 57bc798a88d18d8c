#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include <QDialog>

#include "dialogues/busycursor.h"

class QLabel;
class QTabWidget;
class RunRecord;
struct Tabulation;
class QTableView;
class RunPlot;
class TaylorPage;

// "Таблица и график": the last run as a table (CoordinatesTableModel) and as a
// plot (RunPlot) with its legend, on two tabs, with "Сохранить…" and
// "Закрыть" under both. Modal and resizable; it remembers nothing between
// openings. A run without lines gets a sentence that says so, and nothing to
// draw or save. It opens with the keyboard on the table; Ctrl+Tab turns the
// tabs. Ctrl+C copies the table's selection as tab-separated text at full
// precision. In a series run "Разбор ряда…", Enter or a double click on a
// row opens SeriesTermsDialog for its abscissa. "Показать весь график" sits
// with the plot. A screen reader reads the table cell by cell under its
// headings and hears what the plot's keys do. Building the view of a run of
// kBusyViewLines lines or more takes about a tenth of a second or more: the
// busy cursor shows until it is first drawn. Object names: "tabs", "table",
// "termsButton", "plot", "legend", "pointer" (the plot's readout), "plotNews"
// (what a screen reader is told of the plot's keys), "saveButton",
// "resetZoomButton", "closeButton", "empty". The run must outlive the
// dialogue.
inline constexpr size_t kBusyViewLines = 300'000;

class TablePlotDialog : public QDialog {
    Q_OBJECT

public:
    TablePlotDialog(QWidget* parent, const Tabulation& run);
    ~TablePlotDialog() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeTablePage();
    // Gives each column the width of its widest number, or its heading's
    // longest word.
    void SizeColumns();
    void AddPageKeys();
    QWidget* MakePlotPage();
    void CopySelection();
    // Prints the plot or the table, whichever is shown.
    void Print();
    // The selected rows [first, last), or every row without a selection of two or more.
    std::pair<size_t, size_t> RowsToPrint() const;
    // Makes the Taylor page, the first time, and gives its plot the keys.
    void ShowTaylorPage();
    // "Разбор ряда" for the table's current row.
    void ShowTerms();

    std::optional<BusyCursor> busy_;  // a large view, until it is first drawn
    const Tabulation& run_;
    const RunRecord& record_;  // the run's
    QTabWidget* tabs_ = nullptr;
    QTableView* table_ = nullptr;
    RunPlot* plot_ = nullptr;
    QWidget* taylorTab_ = nullptr;
    TaylorPage* taylor_ = nullptr;  // made when its tab is first shown
};
