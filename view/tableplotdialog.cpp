#include "view/tableplotdialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "dialogues/dialoguelayout.h"
#include "dialogues/guardedaction.h"
#include "evaluation/runrecord.h"
#include "evaluation/vectorstate.h"
#include "saving/runsaving.h"
#include "view/coordinatestablemodel.h"
#include "view/runplot.h"

namespace {

// The share of the screen the dialogue first takes.
constexpr double kScreenShare = 0.7;
// Lines kept for the readout under the plot.
constexpr int kReadoutLines = 2;

QPushButton* MakeButton(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

}  // namespace

TablePlotDialog::TablePlotDialog(QWidget* parent, const std::string& text, const RunRecord& record)
    : QDialog(parent, DialogueFlags(true)), text_(text), record_(record) {
    ClearUpperVectorState();  // after painting, the closed form's cosine would run slower
    auto* layout = new QVBoxLayout(this);
    auto* closeButton = MakeButton(this, QStringLiteral("Закрыть"), "closeButton");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    if (record_.LineCount() == 0) {
        auto* empty = new QLabel(
            QStringLiteral("Нет точек: таблица пуста и рисовать нечего. Нажмите «Ввод данных» "
                           "и получите координаты."),
            this);
        empty->setObjectName(QStringLiteral("empty"));
        empty->setWordWrap(true);
        layout->addWidget(empty);
        layout->addLayout(MakeButtonRow({closeButton}));
    } else {
        auto* tabs = new QTabWidget(this);
        tabs->addTab(MakeTable(), QStringLiteral("Таблица"));
        tabs->addTab(MakePlot(), QStringLiteral("График"));
        auto* saveButton = MakeButton(this, QStringLiteral("Сохранить…"), "saveButton");
        auto* resetButton =
            MakeButton(this, QStringLiteral("Показать весь график"), "resetZoomButton");
        connect(saveButton, &QPushButton::clicked, this,
                [this] { RunGuarded(this, [this] { SaveRun(this, text_, record_); }); });
        connect(resetButton, &QPushButton::clicked, plot_, &RunPlot::ResetZoom);
        layout->addWidget(tabs);
        layout->addLayout(MakeButtonRow({saveButton, resetButton, closeButton}));
    }
    closeButton->setDefault(true);
    setWindowTitle(QStringLiteral("Таблица и график"));
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);
    const QRect available = (parent != nullptr ? parent->screen() : screen())->availableGeometry();
    setMaximumSize(available.size());
    resize((available.size() * kScreenShare).expandedTo(sizeHint()).boundedTo(available.size()));
}

TablePlotDialog::~TablePlotDialog() = default;

QWidget* TablePlotDialog::MakeTable() {
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("table"));
    table_->setModel(new CoordinatesTableModel(record_, table_));
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();  // the № column numbers the rows
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);  // quick for many rows
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->resizeColumnsToContents();  // measured on the rows in view
    auto* copy = new QAction(QStringLiteral("Копировать"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &TablePlotDialog::CopySelection);
    return table_;
}

QWidget* TablePlotDialog::MakePlot() {
    auto* page = new QWidget(this);
    plot_ = new RunPlot(record_, page);
    plot_->setObjectName(QStringLiteral("plot"));
    auto* pointer = new QLabel(
        QStringLiteral("Колесо мыши и выделение рамкой увеличивают, двойной щелчок показывает весь "
                       "график."),
        page);
    pointer->setObjectName(QStringLiteral("pointer"));
    pointer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Its text changes as the pointer moves: it neither widens the dialogue
    // nor makes the plot above it jump.
    pointer->setWordWrap(true);
    pointer->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    pointer->setFixedHeight(kReadoutLines * pointer->fontMetrics().lineSpacing());
    connect(plot_, &RunPlot::PointerAt, pointer, &QLabel::setText);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(plot_, 1);
    layout->addWidget(pointer);
    return page;
}

void TablePlotDialog::CopySelection() {
    RunGuarded(this,
               [this] { QGuiApplication::clipboard()->setText(SelectionAsTabSeparated(*table_)); });
}
