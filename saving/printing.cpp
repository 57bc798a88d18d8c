#include "saving/printing.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>

#include "dialogues/dialoguelayout.h"
#include "evaluation/runrecord.h"
#include "messages/runmessages.h"
#include "table/table.h"
#include "table/workprogress.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The resolution the plot's exports draw at.
constexpr int kPictureDotsPerInch = 96;

// The room between two columns, in the printer's units: two spaces.
double ColumnGap(const QFontMetricsF& metrics) {
    return 2 * metrics.horizontalAdvance(QLatin1Char(' '));
}

// The width of each column's text in the printer's units: its widest
// number, or its heading's longest word.
std::vector<double> ColumnWidths(const std::vector<TableColumn>& columns, const RunRecord& record,
                                 const QFontMetricsF& metrics) {
    std::vector<double> widths;
    for (TableColumn column : columns) {
        double width = metrics.horizontalAdvance(Text(WidestShownText(column, record)));
        for (const QString& word :
             Text(std::string(ColumnHeading(column))).split(QLatin1Char(' '))) {
            width = std::max(width, metrics.horizontalAdvance(word));
        }
        widths.push_back(width);
    }
    return widths;
}

// What one page of the table holds and where, in the printer's units
// before `scale`.
struct TablePage {
    std::vector<TableColumn> columns;
    std::vector<double> widths;  // of each column's text
    std::vector<QStringList> headings;
    double gap = 0;    // between two columns
    double scale = 1;  // the columns drawn smaller to fit the page
    double rowHeight = 0;
    double headingsHeight = 0;
    size_t rowsPerPage = 1;
};

TablePage LayOut(const RunRecord& record, const QRectF& page, const QFontMetricsF& metrics) {
    TablePage layout;
    layout.columns = TableColumns(record.recipe.choice);
    layout.widths = ColumnWidths(layout.columns, record, metrics);
    layout.gap = ColumnGap(metrics);
    double total = 0;
    qsizetype headingLines = 1;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        total += layout.widths[i] + layout.gap;
        layout.headings.push_back(LinesAtBlanks(Text(std::string(ColumnHeading(layout.columns[i]))),
                                                layout.widths[i], metrics));
        headingLines = std::max(headingLines, layout.headings.back().size());
    }
    layout.scale = std::min(1.0, page.width() / total);
    layout.rowHeight = metrics.lineSpacing() * 1.3;
    layout.headingsHeight = metrics.lineSpacing() * (static_cast<double>(headingLines) + 0.5);
    const double recipeHeight = metrics.lineSpacing() * 2;
    const double room =
        page.height() / layout.scale - recipeHeight - layout.headingsHeight - layout.rowHeight * 2;
    layout.rowsPerPage = std::max<size_t>(1, static_cast<size_t>(room / layout.rowHeight));
    return layout;
}

// Each heading's lines centred within its column's text, from `top`.
void DrawHeadings(QPainter& painter, const TablePage& layout, const QFontMetricsF& metrics,
                  double top) {
    double left = layout.gap / 2;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        double lineTop = top;
        for (const QString& line : layout.headings[i]) {
            painter.drawText(QRectF(left, lineTop, layout.widths[i], metrics.lineSpacing()),
                             Qt::AlignHCenter | Qt::AlignVCenter, line);
            lineTop += metrics.lineSpacing();
        }
        left += layout.widths[i] + layout.gap;
    }
    const double rule = top + layout.headingsHeight;
    painter.drawLine(QPointF(0, rule), QPointF(left - layout.gap / 2, rule));
}

void DrawRow(QPainter& painter, const TablePage& layout, const RunRecord& record, size_t index,
             double top) {
    const TableRow row = RowOf(record, index);
    double left = layout.gap / 2;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const QRectF cell(left, top, layout.widths[i], layout.rowHeight);
        const TableColumn column = layout.columns[i];
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                         Text(ShownCell(CellOf(row, column), column, record.recipe.choice)));
        left += layout.widths[i] + layout.gap;
    }
}

}  // namespace

void PrintWithPreview(QWidget* parent, const QString& title, bool landscape,
                      const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("printPreview"));
    preview.setWindowTitle(QStringLiteral("Печать: ") + title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* pages) { paint(*pages); });
    preview.exec();
}

void PrintPicture(QPrinter& printer, QSize size, const std::function<void(QPainter&)>& draw) {
    // At the exports' 96 dots per inch: at a printer's own 1200, text sized
    // in points would come out twelve times too large against the picture
    // and be scaled again with it.
    printer.setResolution(kPictureDotsPerInch);
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(page.width() / size.width(), page.height() / size.height());
    painter.scale(scale, scale);
    draw(painter);
}

int PrintTable(QPrinter& printer, const RunRecord& record, size_t first, size_t last,
               WorkProgress* progress) {
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QFontMetricsF metrics(painter.font(), &printer);
    const TablePage layout = LayOut(record, page, metrics);
    const size_t rows = last > first ? last - first : 0;
    const int pages =
        static_cast<int>(std::max<size_t>(1, (rows + layout.rowsPerPage - 1) / layout.rowsPerPage));
    const QString recipe = Text(RecipeText(record));
    for (int number = 0; number < pages; ++number) {
        if (number > 0) {
            printer.newPage();
        }
        painter.save();
        painter.scale(layout.scale, layout.scale);
        const double width = page.width() / layout.scale;
        painter.drawText(QRectF(0, 0, width, metrics.lineSpacing() * 2),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, recipe);
        const double headingsTop = metrics.lineSpacing() * 2;
        DrawHeadings(painter, layout, metrics, headingsTop);
        double top = headingsTop + layout.headingsHeight + layout.rowHeight * 0.2;
        const size_t begin = first + static_cast<size_t>(number) * layout.rowsPerPage;
        for (size_t row = begin; row < std::min(last, begin + layout.rowsPerPage); ++row) {
            DrawRow(painter, layout, record, row, top);
            top += layout.rowHeight;
        }
        painter.drawText(
            QRectF(0, page.height() / layout.scale - layout.rowHeight, width, layout.rowHeight),
            Qt::AlignRight | Qt::AlignBottom,
            QStringLiteral("Страница %1 из %2").arg(number + 1).arg(pages));
        painter.restore();
        if (progress != nullptr &&
            !progress->Advance(static_cast<size_t>(number) + 1, static_cast<size_t>(pages))) {
            printer.abort();
            break;
        }
    }
    return pages;
}
