#pragma once

#include <QString>

class PlotView;
class QBoxLayout;
class QLabel;
class QWidget;

// A page that shows a plot with what every plot page of the view has: the
// plot on top; under it the legend (PlotLegend) beside the buttons
// "Сохранить график…" and "Показать весь график"; under those the readout,
// which starts as `hint` and then tells what is under the pointer and what
// each key did (the keys' news spoken to a screen reader as well). The plot's
// context menu, and Ctrl+C anywhere on the page, copy the plot; the menu also
// saves it and shows all of it. Controls of the page's own go in `controls`
// (if any), above the plot; `under` (if any) right under it. The objects are
// named `prefix` + "Pointer", "SavePlotButton", "ResetZoomButton",
// "PlotNews", "Legend", or without a prefix "pointer", "savePlotButton",
// "resetZoomButton", "plotNews", "legend".
struct PlotPage {
    QWidget* page = nullptr;
    QLabel* readout = nullptr;
};
PlotPage MakePlotPage(QWidget* parent, PlotView* plot, const QString& hint,
                      const QString& prefix = {}, QBoxLayout* controls = nullptr,
                      QWidget* under = nullptr);

// The plot's picture to the clipboard, to a file the user chooses, and to a
// printer through the print preview; a failure is told over `parent`.
void CopyPlotPicture(QWidget* parent, const PlotView& plot);
void SavePlotPicture(QWidget* parent, const PlotView& plot);
void PrintPlotPicture(QWidget* parent, const PlotView& plot);
