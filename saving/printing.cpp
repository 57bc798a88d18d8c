#include "saving/printing.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "evaluation/runrecord.h"
#include "messages/runmessages.h"
#include "table/table.h"
#include "table/workprogress.h"

namespace {

constexpr double kCellPadding = 8;  // points

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The width of each column in points: its widest number, or its heading's longest word.
std::vector<double> ColumnWidths(const std::vector<TableColumn>& columns, const RunRecord& record,
                                 const QFontMetricsF& metrics) {
    std::vector<double> widths;
    for (TableColumn column : columns) {
        double width = metrics.horizontalAdvance(Text(WidestShownText(column, record)));
        for (const QString& word :
             Text(std::string(ColumnHeading(column))).split(QLatin1Char(' '))) {
            width = std::max(width, metrics.horizontalAdvance(word));
        }
        widths.push_back(width + kCellPadding);
    }
    return widths;
}

// What one page of the table holds and where.
struct TablePage {
    std::vector<TableColumn> columns;
    std::vector<double> widths;  // unscaled
    double scale = 1;            // the columns drawn smaller to fit the page
    double rowHeight = 0;
    double headingHeight = 0;  // the recipe and the column headings
    size_t rowsPerPage = 1;
};

TablePage LayOut(const RunRecord& record, const QRectF& page, const QFontMetricsF& metrics) {
    TablePage layout;
    layout.columns = TableColumns(record.recipe.choice);
    layout.widths = ColumnWidths(layout.columns, record, metrics);
    double total = 0;
    for (double width : layout.widths) {
        total += width;
    }
    layout.scale = std::min(1.0, page.width() / total);
    layout.rowHeight = metrics.lineSpacing() * 1.3;
    layout.headingHeight = metrics.lineSpacing() * 2 + layout.rowHeight * 2.2;
    const double room = page.height() / layout.scale - layout.headingHeight - layout.rowHeight * 2;
    layout.rowsPerPage = std::max<size_t>(1, static_cast<size_t>(room / layout.rowHeight));
    return layout;
}

void DrawHeadings(QPainter& painter, const TablePage& layout, double top) {
    double left = 0;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const QRectF cell(left, top, layout.widths[i], layout.rowHeight * 2.2);
        painter.drawText(cell, Qt::AlignCenter | Qt::TextWordWrap,
                         Text(std::string(ColumnHeading(layout.columns[i]))));
        left += layout.widths[i];
    }
    painter.drawLine(QPointF(0, top + layout.rowHeight * 2.2),
                     QPointF(left, top + layout.rowHeight * 2.2));
}

void DrawRow(QPainter& painter, const TablePage& layout, const RunRecord& record, size_t index,
             double top) {
    const TableRow row = RowOf(record, index);
    double left = 0;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        const QRectF cell(left, top, layout.widths[i] - kCellPadding / 2, layout.rowHeight);
        const TableColumn column = layout.columns[i];
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                         Text(ShownCell(CellOf(row, column), column, record.recipe.choice)));
        left += layout.widths[i];
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
        DrawHeadings(painter, layout, headingsTop);
        double top = headingsTop + layout.rowHeight * 2.4;
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
