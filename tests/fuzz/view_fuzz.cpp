// A whole data-entry run answered from the fuzz input, as dataentry_fuzz
// answers it, then its table-and-plot view built offscreen and worked on. The
// first byte chooses the series (odd) or the closed form (even); the next four
// lines are the texts typed at the prompts; every byte after them is a step:
// reading table rows, zooming in and out with the wheel and with dragged
// rectangles about points the next bytes choose, asking the readout,
// resetting, copying a selection. After every step each axis shows a finite,
// ordered, non-empty range with finite tick labels no two alike, every line
// with values is drawn, the readout stays short, and the dialogue fits on the
// screen; the CSV written to memory has a row for every line.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QWheelEvent>

#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "fuzzcheck.h"
#include "fuzzscript.h"
#include "numtext/arithmeticfault.h"
#include "support/scripteddialogues.h"
#include "table/csv.h"
#include "view/runplot.h"
#include "view/tableplotdialog.h"

namespace {

using Axis = RunPlot::Axis;

// The offscreen application every input shares.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "view_fuzz";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);  // lives as long as the process
    }
}

// The steps' bytes, read one by one; zeros once they run out.
class Steps {
public:
    explicit Steps(std::string_view bytes) : bytes_(bytes) {}
    bool More() const { return at_ < bytes_.size(); }
    unsigned Next() { return More() ? static_cast<unsigned char>(bytes_[at_++]) : 0u; }
    double Share() { return Next() / 255.0; }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

void CheckAxes(const RunPlot& plot) {
    for (Axis axis : {Axis::X, Axis::Y, Axis::Error}) {
        const auto [low, high] = plot.ShownRange(axis);
        Require(std::isfinite(low) && std::isfinite(high) && low < high,
                "a showable range on every axis");
        QStringList labels = plot.TickLabels(axis);
        Require(labels.size() >= 1,
                "ticks on every axis: " + std::to_string(static_cast<int>(axis)) + " [" +
                    std::to_string(low) + ", " + std::to_string(high) + "]");
        for (const QString& label : labels) {
            Require(!label.contains(QLatin1String("inf")) && !label.contains(QLatin1String("nan")),
                    "finite tick labels: " + label.toStdString());
        }
        Require(labels.removeDuplicates() == 0, "no two tick labels alike");
    }
    for (const char* name : {"values", "closedForm", "seriesError", "closedFormError",
                             "reducedError", "compensatedError", "precision"}) {
        if (const QLineSeries* line = plot.Line(name)) {
            Require(line->count() >= 1, std::string("every line drawn: ") + name);
            Require(line->count() > 1 || line->pointsVisible(), "a lone point as a marker");
        }
    }
}

void ReadRows(const QAbstractItemModel& model, Steps& steps) {
    const int rows = model.rowCount();
    if (rows == 0) {
        return;
    }
    std::vector<int> asked = {0, rows - 1};
    for (int i = 0; i < 3; ++i) {
        asked.push_back(static_cast<int>(steps.Share() * (rows - 1)));
    }
    for (int row : asked) {
        for (int column = 0; column < model.columnCount(); ++column) {
            for (int role : {Qt::DisplayRole, Qt::ToolTipRole, Qt::TextAlignmentRole,
                             Qt::BackgroundRole, Qt::ForegroundRole}) {
                model.index(row, column).data(role);
            }
        }
    }
}

QPointF PointIn(const RunPlot& plot, Steps& steps) {
    const QRectF area = plot.chart()->plotArea();
    // A little beyond the plot area too: the pointer can be anywhere.
    const QPointF scene(area.left() - 20 + steps.Share() * (area.width() + 40),
                        area.top() - 20 + steps.Share() * (area.height() + 40));
    return plot.mapFromScene(scene);
}

void Wheel(RunPlot& plot, QPointF at, int notches) {
    QWheelEvent wheel(at, plot.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot.viewport(), &wheel);
}

void Mouse(RunPlot& plot, QEvent::Type type, QPointF at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, plot.viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(plot.viewport(), &event);
}

void Drag(RunPlot& plot, QPointF from, QPointF to) {
    Mouse(plot, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(plot, QEvent::MouseMove, to, Qt::LeftButton);
    Mouse(plot, QEvent::MouseButtonRelease, to, Qt::LeftButton);
}

void CopyRows(QTableView& table, Steps& steps) {
    const QAbstractItemModel& model = *table.model();
    if (model.rowCount() == 0) {
        return;
    }
    const int first = static_cast<int>(steps.Share() * (model.rowCount() - 1));
    const int last = std::min(model.rowCount() - 1, first + static_cast<int>(steps.Next()));
    table.selectionModel()->select(
        QItemSelection(model.index(first, 0), model.index(last, model.columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
    for (QAction* action : table.actions()) {
        action->trigger();
    }
}

void Step(TablePlotDialog& view, RunPlot& plot, QTableView& table, Steps& steps) {
    switch (steps.Next() % 7) {
        case 0:
            Wheel(plot, PointIn(plot, steps), 1 + static_cast<int>(steps.Next() % 40));
            break;
        case 1:
            Wheel(plot, PointIn(plot, steps), -1 - static_cast<int>(steps.Next() % 40));
            break;
        case 2: {
            const QPointF from = PointIn(plot, steps);
            Drag(plot, from, PointIn(plot, steps));
            break;
        }
        case 3:
            Mouse(plot, QEvent::MouseMove, PointIn(plot, steps), Qt::NoButton);
            break;
        case 4:
            plot.ResetZoom();
            break;
        case 5:
            CopyRows(table, steps);
            break;
        default:
            ReadRows(*table.model(), steps);
    }
    const QLabel* readout = view.findChild<QLabel*>(QStringLiteral("pointer"));
    Require(readout == nullptr || readout->text().size() <= 200, "a short readout");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    EnsureApplication();
    const FuzzScript script = ReadFuzzScript(data, size);
    Tabulation run;
    ScriptedDialogues dialogues(script.choice, script.replies);
    try {
        RunDataEntry(run.state, dialogues, run.record);
    } catch (const ArithmeticFault&) {
    }
    Require(TableCsv(run.record).size() > run.record.LineCount(), "a CSV row for every line");

    TablePlotDialog view(nullptr, run);
    view.show();
    QApplication::processEvents();
    auto* plot = view.findChild<RunPlot*>(QStringLiteral("plot"));
    auto* table = view.findChild<QTableView*>(QStringLiteral("table"));
    if (plot == nullptr || table == nullptr) {
        Require(run.record.LineCount() == 0, "a table and a plot for every run with lines");
        return 0;
    }
    Steps steps(script.rest);
    ReadRows(*table->model(), steps);
    view.findChild<QTabWidget*>()->setCurrentIndex(1);
    QApplication::processEvents();
    CheckAxes(*plot);
    while (steps.More()) {
        Step(view, *plot, *table, steps);
        CheckAxes(*plot);
    }
    QApplication::processEvents();
    Require(view.frameGeometry().width() <= view.screen()->availableGeometry().width() + 1,
            "the view fits on the screen: " + std::to_string(view.frameGeometry().width()) +
                " of " + std::to_string(view.screen()->availableGeometry().width()) +
                ", at least " + std::to_string(view.minimumSizeHint().width()));
    return 0;
}
