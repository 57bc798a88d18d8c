#include "view/seriestermsdialog.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QAction>
#include <QCategoryAxis>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "accessibility/accessiblerole.h"
#include "accessibility/accessibletable.h"
#include "accessibility/tabpages.h"
#include "dialogues/dialoguelayout.h"
#include "dialogues/guardedaction.h"
#include "evaluation/sweep.h"
#include "messages/runmessages.h"
#include "plotmath/axisrange.h"
#include "table/termstable.h"
#include "view/charttheme.h"
#include "view/coordinatestablemodel.h"
#include "view/plotaxis.h"
#include "view/plotlegend.h"

namespace {

constexpr double kScreenShare = 0.6;

const QColor kTermColour(0, 114, 178);
const QColor kErrorColour(230, 159, 0);
const QColor kFloorColour(120, 120, 120);
const QColor kPrecisionColour(213, 94, 0);

// The steps of a breakdown as a table model.
class TermsTableModel : public QAbstractTableModel {
public:
    TermsTableModel(const SeriesBreakdown& breakdown, QObject* parent)
        : QAbstractTableModel(parent), breakdown_(breakdown), columns_(TermColumns()) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(breakdown_.steps.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
            return {};
        }
        const Cell cell = TermCell(breakdown_.steps[static_cast<size_t>(index.row())],
                                   columns_[static_cast<size_t>(index.column())]);
        if (role == Qt::DisplayRole) {
            return QString::fromStdString(ShownNumber(cell));
        }
        if (role == Qt::ToolTipRole || role == CoordinatesTableModel::FullTextRole) {
            std::string text;
            AppendFileCell(text, cell);
            return QString::fromStdString(text);
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
            section >= columnCount()) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        return QString::fromStdString(
            std::string(TermHeading(columns_[static_cast<size_t>(section)])));
    }

private:
    const SeriesBreakdown& breakdown_;
    std::vector<TermColumn> columns_;
};

// log10 of every magnitude, a magnitude of 0 at `floor`.
std::vector<double> Decades(const std::vector<double>& magnitudes, double floor) {
    std::vector<double> decades;
    decades.reserve(magnitudes.size());
    for (double magnitude : magnitudes) {
        decades.push_back(magnitude > 0 ? std::log10(magnitude) : floor);
    }
    return decades;
}

// The plot of a breakdown against n. Fixed: a few dozen points need no zoom.
class TermsPlot : public QChartView {
public:
    TermsPlot(const SeriesBreakdown& breakdown, QWidget* parent) : QChartView(new QChart, parent) {
        std::vector<double> ns;
        std::vector<double> terms;
        std::vector<double> errors;
        std::vector<double> floors;
        for (const TermStep& step : breakdown.steps) {
            ns.push_back(step.n);
            terms.push_back(std::fabs(step.term));
            errors.push_back(step.error);
            floors.push_back(step.roundingFloor);
        }
        x_.emplace(QStringLiteral("Номер члена n"), DataRange(ns),
                   AxisRange{0, static_cast<double>(ns.size() + 1)}, false, Qt::Horizontal);
        std::vector<double> all = terms;
        all.insert(all.end(), floors.begin(), floors.end());
        y_.emplace(QStringLiteral("Модуль, лог. шкала"),
                   DecadeRange(all, errors, breakdown.precision), PositiveDecades(), true,
                   Qt::Vertical);
        chart()->addAxis(x_->Axis(), Qt::AlignBottom);
        chart()->addAxis(y_->Axis(), Qt::AlignLeft);
        chart()->legend()->hide();  // PlotLegend lists the lines whole
        const double floor = y_->Whole().low;
        lines_ = {
            Add("terms", QStringLiteral("|Tₙ|"), QPen(kTermColour, 1.5), ns, Decades(terms, floor)),
            Add("error", QStringLiteral("|Sₙ − y*|"), QPen(kErrorColour, 1.5), ns,
                Decades(errors, floor)),
            Add("floor", QStringLiteral("Предел округления u·Σ|Tₖ|"),
                QPen(kFloorColour, 1, Qt::DashDotLine), ns, Decades(floors, floor)),
            Add("precision", QStringLiteral("Точность"), QPen(kPrecisionColour, 1, Qt::DashLine),
                {ns.front(), ns.back()}, std::vector<double>(2, std::log10(breakdown.precision))),
        };
        setRenderHint(QPainter::Antialiasing);
        // No smaller than its titles show whole at.
        chart()->setMinimumSize(LegibleChartSize(*chart()));
        setMinimumSize(LegibleChartSize(*chart()) + QSize(2 * frameWidth(), 2 * frameWidth()));
        ThemeChart(chart(), palette());
        for (QLineSeries* line : lines_) {
            QPen pen = line->pen();
            pen.setColor(LineColourFor(pen.color(), palette()));
            line->setPen(pen);
        }
        connect(chart(), &QChart::plotAreaChanged, this, [this] {
            x_->Retick(chart()->plotArea(), chart()->size().width());
            y_->Retick(chart()->plotArea(), chart()->size().width());
        });
        x_->Show(x_->Whole(), chart()->plotArea(), chart()->size().width());
        y_->Show(y_->Whole(), chart()->plotArea(), chart()->size().width());
    }

    const std::vector<QLineSeries*>& Lines() const { return lines_; }

private:
    QLineSeries* Add(const char* name, const QString& title, const QPen& pen,
                     const std::vector<double>& xs, const std::vector<double>& ys) {
        QLineSeries* line = MakeLine(name, title, pen, chart());
        QList<QPointF> points;
        for (size_t i = 0; i < xs.size(); ++i) {
            points.append(QPointF(x_->Mapping().ToPlot(xs[i]), y_->Mapping().ToPlot(ys[i])));
        }
        line->replace(points);
        line->setPointsVisible(points.size() == 1 || name == std::string_view("terms"));
        Attach(line, *x_, *y_);
        return line;
    }

    std::optional<PlotAxis> x_;
    std::optional<PlotAxis> y_;
    std::vector<QLineSeries*> lines_;
};

}  // namespace

SeriesTermsDialog::SeriesTermsDialog(QWidget* parent, double x, double precision)
    : QDialog(parent, DialogueFlags(true)), breakdown_(BreakDownSeries(x, precision)) {
    std::string told = TermsTitle(breakdown_);
    if (breakdown_.fault) {
        told += ".\n" + TermsFaultMessage(*breakdown_.fault, breakdown_.steps.size());
    }
    auto* summary = MakePromptLabel(
        this, QString::fromStdString(told).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    summary->setObjectName(QStringLiteral("summary"));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    summary->setWordWrap(true);  // the table's width sets the dialogue's, not this line
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("termsTabs"));
    tabs->setAccessibleName(QStringLiteral("Разбор ряда: таблица и график"));
    tabs->addTab(MakeTable(), QStringLiteral("Таблица"));
    if (!breakdown_.steps.empty()) {
        tabs->addTab(MakePlot(), QStringLiteral("График"));
    }
    NameTheirPages(tabs);
    auto* closeButton = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(tabs, 1);
    layout->addLayout(MakeButtonRow({closeButton}));
    table_->setFocus();  // the terms from the first key; the summary is read with the box
    std::string title = "Разбор ряда при x = ";
    AppendAbscissaText(title, x);
    setWindowTitle(QString::fromStdString(title));
    setWindowModality(Qt::WindowModal);
    SizeToScreenShare(this, kScreenShare);
}

void SeriesTermsDialog::FitWidthToTable() {
    // No wider than the table's columns need, nor narrower than the plot's
    // page: room left beside the columns is shared among them, in proportion
    // to their contents, rather than left empty or given to the last.
    QHeaderView* header = table_->horizontalHeader();
    int columns = 0;
    for (int i = 0; i < header->count(); ++i) {
        columns += header->sectionSize(i);
    }
    const int needed = columns + 2 * table_->frameWidth() +
                       table_->verticalScrollBar()->sizeHint().width() + width() - table_->width();
    resize(std::max(minimumSizeHint().width(), std::min(width(), needed)), height());
    QTimer::singleShot(0, this, [this] { ShareRoomAmongColumns(); });
}

void SeriesTermsDialog::ShareRoomAmongColumns() {
    QHeaderView* header = table_->horizontalHeader();
    const auto* view = static_cast<const QAbstractItemView*>(table_);
    std::vector<int> contents;
    int total = 0;
    for (int i = 0; i < header->count(); ++i) {
        contents.push_back(std::max(view->sizeHintForColumn(i), header->sectionSizeHint(i)));
        total += contents.back();
    }
    const int room = table_->viewport()->width() - total;
    if (room <= 0 || total == 0) {
        return;  // the contents need all there is, or more: the table scrolls
    }
    header->setStretchLastSection(false);
    for (int i = 0; i < header->count(); ++i) {
        header->resizeSection(
            i, contents[static_cast<size_t>(i)] + room * contents[static_cast<size_t>(i)] / total);
    }
    header->setStretchLastSection(true);  // the rounding's few pixels, and a wider window
}

void SeriesTermsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!fitted_) {
        fitted_ = true;  // laid out now: the table's room is known
        FitWidthToTable();
    }
    KeepOnScreen(this);
}

QWidget* SeriesTermsDialog::MakeTable() {
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("terms"));
    SetAccessibleTable(table_);
    table_->setAccessibleName(QStringLiteral("Члены ряда"));
    table_->setModel(new TermsTableModel(breakdown_, table_));
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);  // Tab leaves the table; Ctrl+Tab turns the tab
    table_->verticalHeader()->hide();    // the n column numbers the rows
    // Rows a line of text tall; columns as wide as their contents, the last
    // taking what is left, so no empty band stands beside them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);  // as the user widens it
    auto* copy = new QAction(QStringLiteral("Копировать"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [this] {
        RunGuarded(this, [this] {
            QGuiApplication::clipboard()->setText(SelectionAsTabSeparated(*table_));
        });
    });
    return table_;
}

QWidget* SeriesTermsDialog::MakePlot() {
    auto* page = new QWidget(this);
    auto* plot = new TermsPlot(breakdown_, page);
    plot->setObjectName(QStringLiteral("termsPlot"));
    SetAccessibleRole(plot, QAccessible::Chart);
    plot->setAccessibleName(QStringLiteral("График членов ряда"));
    plot->setAccessibleDescription(
        QStringLiteral("Модули членов ряда, погрешность частичных сумм, точность и предел "
                       "округления в зависимости от номера члена, логарифмическая шкала"));
    SetAccessibleRole(plot->viewport(), QAccessible::Canvas);
    plot->viewport()->setAccessibleName(QStringLiteral("Область графика"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(plot, 1);
    layout->addWidget(new PlotLegend(plot->Lines(), page));
    return page;
}
