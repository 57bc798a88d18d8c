#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scripteddialogues.h"
#include "view/tableplotdialog.h"

class QTabWidget;
class RunPlot;

// A fixture that opens a run's table-and-plot view, shown as a user sees it
// open, at one of its tabs.
class ShownViewTest : public testing::Test {
protected:
    enum Tab { kTable = 0, kPlot = 1, kTaylor = 2 };

    // Runs with `replies` (as RunScripted takes them) and shows the view at `tab`.
    void OpenView(Answer choice, std::vector<std::optional<std::string>> replies, Tab tab);
    // Turns to `tab`, the keys going with it.
    void ShowTab(Tab tab);

    Tabulation run_;
    std::optional<TablePlotDialog> view_;
    QTabWidget* tabs_ = nullptr;
    RunPlot* plot_ = nullptr;
};
