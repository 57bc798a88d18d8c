#include "view/seriestermsdialog.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
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
#include "view/plotpage.h"
#include "view/termsplot.h"

namespace {

constexpr double kScreenShare = 0.6;

const QColor kFloorColour(120, 120, 120);

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

// The plot of a breakdown against n.
TermsPlot* MakeTermsPlot(const SeriesBreakdown& breakdown, QWidget* parent) {
    std::vector<double> terms;
    std::vector<double> errors;
    std::vector<double> floors;
    for (const TermStep& step : breakdown.steps) {
        terms.push_back(std::fabs(step.term));
        errors.push_back(step.error);
        floors.push_back(step.roundingFloor);
    }
    std::vector<TermsCurve> curves = {
        {"terms", QStringLiteral("|Tₙ|"), QPen(line_colours::kBlue, 1.5), std::move(terms), true},
        {"error", QStringLiteral("|Sₙ − y*|"), QPen(line_colours::kOrange, 1.5), std::move(errors),
         false},
        {"floor", QStringLiteral("Предел округления u·Σ|Tₖ|"),
         QPen(kFloorColour, 1, Qt::DashDotLine), std::move(floors), false},
    };
    return new TermsPlot(std::move(curves), breakdown.precision, parent);
}

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
    TermsPlot* plot = MakeTermsPlot(breakdown_, this);
    plot->setObjectName(QStringLiteral("termsPlot"));
    plot->setAccessibleName(QStringLiteral("График членов ряда"));
    plot->setAccessibleDescription(
        QStringLiteral("Модули членов ряда, погрешность частичных сумм, точность и предел "
                       "округления в зависимости от номера члена, логарифмическая шкала"));
    return MakePlotPage(
               this, plot,
               QStringLiteral("Колесо мыши, рамка, + и − увеличивают; стрелки выбирают член; "
                              "Home — весь график."))
        .page;
}
