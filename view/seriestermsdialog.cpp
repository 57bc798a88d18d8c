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
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "accessibility/accessiblerole.h"
#include "accessibility/accessibletable.h"
#include "accessibility/tabpages.h"
#include "analysis/workingprecision.h"
#include "dialogues/dialoguelayout.h"
#include "dialogues/guardedaction.h"
#include "evaluation/formulas.h"
#include "evaluation/sweep.h"
#include "help/helpwindow.h"
#include "messages/runmessages.h"
#include "plotmath/axisrange.h"
#include "table/termstable.h"
#include "view/charttheme.h"
#include "view/coordinatestablemodel.h"
#include "view/plotlegend.h"
#include "view/plotpage.h"
#include "view/termsplot.h"
#include "view/termstablemodel.h"

namespace {

constexpr double kScreenShare = 0.6;

QString Heading(const std::string& text) {
    return QString::fromStdString(text);
}

const QColor kFloorColour(120, 120, 120);

// The colours of the curves at other working precisions, in the order of
// kShownBits without 53 and then the user's.
const QColor kPrecisionColours[] = {line_colours::kReddishPurple, line_colours::kBluishGreen,
                                    line_colours::kSkyBlue, QColor(90, 90, 90)};

// The plot of a breakdown against n, with a curve per other precision.
TermsPlot* MakeTermsPlot(const SeriesBreakdown& breakdown,
                         const std::vector<ErrorsAtBits>& precisions, QWidget* parent) {
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
        {"error", QStringLiteral("|Sₙ − y*|"), QPen(line_colours::kOrange, 2), std::move(errors),
         false},
        {"floor", QStringLiteral("Предел округления u·Σ|Tₖ|"),
         QPen(kFloorColour, 1, Qt::DashDotLine), std::move(floors), false},
    };
    for (size_t i = 0; i < precisions.size(); ++i) {
        curves.push_back({i + 1 < precisions.size() ? "errorAtBits" : "errorAtChosenBits",
                          Heading(ErrorAtBitsHeading(precisions[i].bits)),
                          QPen(kPrecisionColours[std::min(i, std::size(kPrecisionColours) - 1)],
                               1.2, i + 1 < precisions.size() ? Qt::SolidLine : Qt::DotLine),
                          precisions[i].errors, false});
    }
    auto* plot = new TermsPlot(std::move(curves), breakdown.precision, parent);
    const std::vector<QLineSeries*> lines = plot->Lines();
    SetLineDescription(lines[0], QStringLiteral("Модули членов ряда: сначала растут, пока "
                                                "(2x)² больше (2n − 1)·2n, потом убывают."));
    SetLineDescription(lines[1], QString::fromUtf8(TermDescription(TermColumn::Error).data()));
    SetLineDescription(lines[2],
                       QStringLiteral("u·Σ|Tₖ|, u = 2⁻⁵³: сколько погрешности оставляет "
                                      "округление самых больших членов. Ниже него сумма в double "
                                      "не опустится."));
    for (size_t i = 0; i < precisions.size(); ++i) {
        SetLineDescription(lines[3 + i], Heading(ErrorAtBitsDescription(precisions[i].bits)));
    }
    SetLineDescription(lines.back(), QStringLiteral("Заданная точность: суммирование "
                                                    "останавливается на первом члене не больше "
                                                    "неё."));
    return plot;
}

// The errors at every other shown precision, and at the user's.
std::vector<ErrorsAtBits> OtherPrecisions(const SeriesBreakdown& breakdown, int chosen) {
    std::vector<ErrorsAtBits> precisions;
    const int count = static_cast<int>(breakdown.steps.size());
    for (const int bits : kShownBits) {
        if (bits != 53) {
            precisions.push_back({bits, PartialSumErrorsAtBits(breakdown.x, bits, count)});
        }
    }
    precisions.push_back({chosen, PartialSumErrorsAtBits(breakdown.x, chosen, count)});
    return precisions;
}

// The bits the line's rounding bound asks for, as "Битов нужно" tells: the
// run's own line at x (the breakdown summed it without a fault).
int BitsTheLineNeeds(const SeriesBreakdown& breakdown) {
    if (breakdown.steps.empty() || breakdown.fault) {
        return kMostBits;
    }
    return BitsNeeded(SeriesValue(breakdown.x, breakdown.precision), breakdown.precision)
        .value_or(kMostBits);
}

}  // namespace

SeriesTermsDialog::SeriesTermsDialog(QWidget* parent, double x, double precision)
    : QDialog(parent, DialogueFlags(true)),
      breakdown_(BreakDownSeries(x, precision)),
      precisions_(OtherPrecisions(breakdown_, BitsTheLineNeeds(breakdown_))) {
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
    if (!breakdown_.steps.empty()) {  // no terms: nothing to sum at other precisions
        layout->addLayout(MakeBitsRow());
    }
    layout->addWidget(tabs, 1);
    layout->addLayout(MakeButtonRow({closeButton}));
    table_->setFocus();  // the terms from the first key; the summary is read with the box
    AddHelpKey(this, QStringLiteral("help.html#bits"));
    std::string title = "Разбор ряда при x = ";
    AppendAbscissaText(title, x);
    setWindowTitle(QString::fromStdString(title));
    setWindowModality(Qt::WindowModal);
    SizeToScreenShare(this, kScreenShare);
}

SeriesTermsDialog::~SeriesTermsDialog() {
    delete table_;
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
    if (total == 0) {
        return;
    }
    // Where the contents need all there is, or more, each column keeps to its
    // contents and the table scrolls.
    const int room = std::max(table_->viewport()->width() - total, 0);
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
    model_ = new TermsTableModel(breakdown_, precisions_, table_);
    table_->setModel(model_);
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

QHBoxLayout* SeriesTermsDialog::MakeBitsRow() {
    auto* bits = new QSpinBox(this);
    bits->setObjectName(QStringLiteral("chosenBits"));
    bits->setRange(kFewestBits, kMostBits);
    bits->setValue(precisions_.back().bits);
    bits->setSuffix(QStringLiteral(" бит"));
    bits->setAccessibleName(QStringLiteral("Своя рабочая точность, бит"));
    bits->setToolTip(QStringLiteral(
        "Рабочая точность последнего столбца и последней кривой: каждое действие ряда "
        "округляется до стольких бит (от 2 до 1024). Сначала стоит столько, сколько нужно "
        "этой строке («Битов нужно»)."));
    auto* label = new QLabel(QStringLiteral("Своя рабочая точность:"), this);
    label->setBuddy(bits);
    connect(bits, &QSpinBox::valueChanged, this,
            [this](int chosen) { RunGuarded(this, [this, chosen] { ChooseBits(chosen); }); });
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(bits);
    row->addStretch();
    return row;
}

void SeriesTermsDialog::ChooseBits(int bits) {
    ErrorsAtBits& chosen = precisions_.back();
    chosen = {bits, PartialSumErrorsAtBits(breakdown_.x, bits,
                                           static_cast<int>(breakdown_.steps.size()))};
    model_->PrecisionChanged(precisions_.size() - 1);
    if (plot_ != nullptr) {
        plot_->ReplaceCurve(plot_->Lines().size() - 2, chosen.errors,
                            Heading(ErrorAtBitsHeading(bits)));
        SetLineDescription(plot_->Lines()[plot_->Lines().size() - 2],
                           Heading(ErrorAtBitsDescription(bits)));
    }
}

QWidget* SeriesTermsDialog::MakePlot() {
    TermsPlot* plot = MakeTermsPlot(breakdown_, precisions_, this);
    plot_ = plot;
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
