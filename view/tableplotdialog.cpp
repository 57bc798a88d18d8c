#include "view/tableplotdialog.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "accessibility/accessiblerole.h"
#include "accessibility/accessibletable.h"
#include "accessibility/announcer.h"
#include "accessibility/tabpages.h"
#include "dialogues/dialoguelayout.h"
#include "dialogues/guardedaction.h"
#include "dialogues/messagebox.h"
#include "evaluation/tabulation.h"
#include "help/helpwindow.h"
#include "messages/actionmessages.h"
#include "saving/printing.h"
#include "saving/progressdialogue.h"
#include "saving/runsaving.h"
#include "table/csv.h"
#include "table/selectiontext.h"
#include "table/table.h"
#include "view/coordinatestablemodel.h"
#include "view/plotpage.h"
#include "view/runplot.h"
#include "view/runsummary.h"
#include "view/seriestermsdialog.h"
#include "view/taylorpage.h"
#include "view/taylorplot.h"

namespace {

// Bytes gathered for the clipboard.
class ByteArraySink : public ByteSink {
public:
    bool Write(std::string_view text) override {
        bytes.append(text.data(), static_cast<qsizetype>(text.size()));
        return true;
    }
    QByteArray bytes;
};

// The share of the screen the dialogue first takes.
constexpr double kScreenShare = 0.7;
// Room around a cell's text and a heading's, in pixels.
constexpr int kCellPadding = 14;
// The most digits a column of numbers is made wide for: a longer number (an
// abscissa of 309 digits) shows its start and "…", and the whole of it in
// the cell's tooltip and in a copy.
constexpr int kMostShownDigits = 24;

double MostColumnWidth(const QFontMetrics& cells) {
    return cells.horizontalAdvance(QString(kMostShownDigits, QLatin1Char('8')));
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

}  // namespace

TablePlotDialog::TablePlotDialog(QWidget* parent, const Tabulation& run)
    : QDialog(parent, DialogueFlags(true)), run_(run), record_(run.record) {
    if (record_.LineCount() >= kBusyViewLines) {
        busy_.emplace();
        busy_->Show();
    }
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
        tabs->setObjectName(QStringLiteral("tabs"));
        tabs->setAccessibleName(QStringLiteral("Таблица и график"));
        tabs->setAccessibleDescription(QStringLiteral("Вкладки: таблица точек и их график"));
        tabs->addTab(MakeTablePage(), QStringLiteral("Таблица"));
        tabs->addTab(MakePlotPage(), QStringLiteral("График"));
        // Made when first shown: the view opens as fast without it.
        taylorTab_ = new QWidget(this);
        auto* taylorLayout = new QVBoxLayout(taylorTab_);
        taylorLayout->setContentsMargins(0, 0, 0, 0);
        tabs->addTab(taylorTab_, QStringLiteral("Многочлены Тейлора"));
        NameTheirPages(tabs);
        auto* saveButton = MakeButton(this, QStringLiteral("Сохранить…"), "saveButton");
        auto* printButton = MakeButton(this, QStringLiteral("Печать…"), "printButton");
        auto* helpButton = MakeButton(this, QStringLiteral("Справка"), "helpButton");
        helpButton->setToolTip(
            QStringLiteral("Что показывают столбцы и кривые и откуда берётся "
                           "ошибка ряда (F1)"));
        connect(helpButton, &QPushButton::clicked, this, [this] { ShowHelp(this); });
        printButton->setToolTip(QStringLiteral("Напечатать таблицу или график, что открыто"));
        connect(saveButton, &QPushButton::clicked, this, [this] {
            RunGuarded(this, [this] { SaveRun(this, run_, SaveOffer::TableFirst); });
        });
        connect(printButton, &QPushButton::clicked, this,
                [this] { RunGuarded(this, [this] { Print(); }); });
        // The keys work at once on what the tab shows: the table's, the plot's, Ctrl+C.
        connect(tabs, &QTabWidget::currentChanged, this, [this, tabs](int shown) {
            if (tabs->widget(shown)->isAncestorOf(plot_)) {
                plot_->setFocus();
            } else if (tabs->widget(shown) == taylorTab_) {
                RunGuarded(this, [this] { ShowTaylorPage(); });
            } else {
                table_->setFocus();
            }
        });
        tabs_ = tabs;
        layout->addWidget(tabs);
        layout->addLayout(MakeButtonRow({saveButton, printButton, helpButton, closeButton}));
        table_->setFocus();  // the rows from the first key; Enter on a row opens its terms
    }
    closeButton->setDefault(true);
    AddHelpKey(this);
    const QString title = QStringLiteral("Таблица и график");
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    if (record_.LineCount() == 0) {
        ReserveTitleRoom(this, title);  // nothing to show: as small as its words
        adjustSize();
    } else {
        SizeToScreenShare(this, kScreenShare);
        AddPageKeys();
    }
}

void TablePlotDialog::AddPageKeys() {
    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the keys are in
    // the view, its buttons included, not only within the pages.
    const auto turn = [this](int by) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + by + tabs_->count()) % tabs_->count());
    };
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    auto* previousToo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, [turn] { turn(1); });
    connect(previous, &QShortcut::activated, this, [turn] { turn(-1); });
    connect(previousToo, &QShortcut::activated, this, [turn] { turn(-1); });
}

TablePlotDialog::~TablePlotDialog() = default;

QWidget* TablePlotDialog::MakeTablePage() {
    auto* page = new QWidget(this);
    table_ = new QTableView(page);
    table_->setObjectName(QStringLiteral("table"));
    SetAccessibleTable(table_);
    table_->setAccessibleName(QStringLiteral("Таблица точек"));
    table_->setAccessibleDescription(
        record_.IsSeries() ? QStringLiteral("Строка на каждую точку; Enter открывает разбор ряда "
                                            "в выбранной точке")
                           : QStringLiteral("Строка на каждую точку"));
    table_->setModel(new CoordinatesTableModel(record_, table_));
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);  // Tab leaves the table; Ctrl+Tab turns the tab
    table_->verticalHeader()->hide();    // the № column numbers the rows
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);  // quick for many rows
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    SizeColumns();
    auto* copy = new QAction(QStringLiteral("Копировать"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &TablePlotDialog::CopySelection);
    auto* summary = new QLabel(QString::fromStdString(RunSummary(record_)), page);
    summary->setObjectName(QStringLiteral("tableSummary"));
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(table_, 1);
    layout->addWidget(summary);
    if (record_.IsSeries()) {
        auto* terms = MakeButton(page, QStringLiteral("Разбор ряда…"), "termsButton");
        terms->setToolTip(QStringLiteral(
            "Члены ряда в выбранной строке по одному (также Enter или двойной щелчок)"));
        connect(terms, &QPushButton::clicked, this, &TablePlotDialog::ShowTerms);
        connect(table_, &QTableView::doubleClicked, this, &TablePlotDialog::ShowTerms);
        table_->installEventFilter(this);  // Enter opens the terms, not the default button
        layout->addLayout(MakeButtonRow({terms}));
    }
    return page;
}

QWidget* TablePlotDialog::MakePlotPage() {
    plot_ = new RunPlot(record_, this);
    plot_->setObjectName(QStringLiteral("plot"));
    return ::MakePlotPage(
               this, plot_,
               QStringLiteral("Колесо мыши, выделение рамкой и клавиши + и − увеличивают, стрелки "
                              "выбирают точку, двойной щелчок и Home показывают весь график."))
        .page;
}

void TablePlotDialog::ShowTaylorPage() {
    if (taylor_ == nullptr) {
        taylor_ = new TaylorPage(record_, this);
        QWidget* page = taylor_->Page();
        SetAccessibleRole(page, QAccessible::Pane);
        page->setAccessibleName(QStringLiteral("Многочлены Тейлора и их управление"));
        taylorTab_->layout()->addWidget(page);
    }
    taylor_->Plot()->setFocus();
}

void TablePlotDialog::SizeColumns() {
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    // Headings wrap at blanks, so the columns stay as narrow as their
    // numbers. A current column's heading is drawn bold: the widths and the
    // lines are measured so, and the band is as tall as the most lines.
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetricsF headings(bold);
    const QFontMetrics cells = table_->fontMetrics();
    const std::vector<TableColumn> columns = TableColumns(record_.recipe.choice);
    qsizetype lines = 1;
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        const TableColumn shown = columns[static_cast<size_t>(column)];
        const QString heading = QString::fromStdString(std::string(ColumnHeading(shown)));
        double width = std::min<double>(
            cells.horizontalAdvance(QString::fromStdString(WidestShownText(shown, record_))),
            MostColumnWidth(cells));
        for (const QString& word : heading.split(QLatin1Char(' '))) {
            width = std::max(width, std::ceil(headings.horizontalAdvance(word)));
        }
        lines = std::max(lines, LinesAtBlanks(heading, width, headings).size());
        header->resizeSection(column, static_cast<int>(width) + kCellPadding);
    }
    header->setFixedHeight(
        static_cast<int>(std::ceil(static_cast<double>(lines) * headings.lineSpacing())) +
        kCellPadding);
}

void TablePlotDialog::Print() {
    if (tabs_->currentWidget()->isAncestorOf(plot_)) {
        PrintPlotPicture(this, *plot_);
        return;
    }
    if (taylor_ != nullptr && tabs_->currentWidget() == taylorTab_) {
        PrintPlotPicture(this, *taylor_->Plot());
        return;
    }
    const std::pair<size_t, size_t> rows = RowsToPrint();
    const size_t first = rows.first;
    const size_t last = rows.second;
    if (last - first > kMostPrintedRows) {
        MessageBox box(this, TooLongToPrintMessage(last - first, kMostPrintedRows),
                       QString::fromUtf8(kActionFailedTitle));
        box.exec();
        return;
    }
    PrintWithPreview(this, QStringLiteral("таблица"), true, [this, first, last](QPrinter& printer) {
        ProgressDialogue progress(this, QStringLiteral("Подготовка страниц…"));
        PrintTable(printer, record_, first, last, &progress);
    });
}

std::pair<size_t, size_t> TablePlotDialog::RowsToPrint() const {
    // From the ranges, not the cells: Ctrl+A over a million rows is one range.
    const QItemSelection selection = table_->selectionModel()->selection();
    if (selection.isEmpty()) {
        return {0, record_.LineCount()};
    }
    int first = selection.front().top();
    int last = selection.front().bottom();
    for (const QItemSelectionRange& range : selection) {
        first = std::min(first, range.top());
        last = std::max(last, range.bottom());
    }
    if (first == last) {
        return {0, record_.LineCount()};  // one row selected: the whole table is meant
    }
    return {static_cast<size_t>(first), static_cast<size_t>(last) + 1};
}

void TablePlotDialog::ShowTerms() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) {
        return;
    }
    RunGuarded(this, [&] {
        SeriesTermsDialog terms(this, record_.X()[static_cast<size_t>(current.row())],
                                record_.recipe.precision);
        terms.exec();
    });
}

void TablePlotDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    KeepOnScreen(this);
    if (busy_) {
        QTimer::singleShot(0, this, [this] { busy_.reset(); });  // once the first paint is done
    }
}

bool TablePlotDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && table_->currentIndex().isValid()) {
            ShowTerms();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TablePlotDialog::CopySelection() {
    RunGuarded(this, [this] {
        std::vector<CellBlock> blocks;
        for (const QItemSelectionRange& range : table_->selectionModel()->selection()) {
            blocks.push_back({static_cast<size_t>(range.top()), static_cast<size_t>(range.bottom()),
                              static_cast<size_t>(range.left()),
                              static_cast<size_t>(range.right())});
        }
        ByteArraySink sink;
        ProgressDialogue progress(this, QStringLiteral("Копирование таблицы…"));
        if (!WriteSelectionText(record_, blocks, sink, &progress)) {
            return;  // stopped: the clipboard keeps what it held
        }
        // The UTF-8 bytes alone, not a second copy of them as UTF-16.
        auto* data = new QMimeData;
        data->setData(QStringLiteral("text/plain;charset=utf-8"), sink.bytes);
        data->setData(QStringLiteral("text/plain"), sink.bytes);
        QGuiApplication::clipboard()->setMimeData(data);
    });
}
