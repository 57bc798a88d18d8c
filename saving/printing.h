#pragma once

#include <cstddef>
#include <functional>

#include <QSize>

class QPainter;
class QPrinter;
class QString;
class QWidget;
class RunRecord;
class WorkProgress;

// The most table rows printed at once: a longer table is printed in parts of
// selected rows.
inline constexpr size_t kMostPrintedRows = 5000;

// Prints through Qt Print Support: a preview of the pages, whose print button
// opens the printer dialogue. `paint` draws every page on the printer it is
// given; `landscape` turns the pages. The preview's object name is
// "printPreview".
void PrintWithPreview(QWidget* parent, const QString& title, bool landscape,
                      const std::function<void(QPrinter&)>& paint);

// A picture of `size` logical pixels, drawn by `draw`, on one page, as large
// as the page allows with its proportions kept: drawn as the PDF export
// draws it, at 96 dots per inch, so its text keeps its size against the
// picture (the printer's resolution is set to that).
void PrintPicture(QPrinter& printer, QSize size, const std::function<void(QPainter&)>& draw);

// The record's rows [first, last) on as many pages as they take: on each, the
// run's recipe, the columns' headings, the rows as the view shows them, the
// page's number. Columns narrower than the page are drawn smaller to fit.
// `progress` (if any) is told after each page; where it says stop, the
// printing is aborted there. Returns the number of pages.
int PrintTable(QPrinter& printer, const RunRecord& record, size_t first, size_t last,
               WorkProgress* progress = nullptr);
