#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "saving/plotimage.h"
#include "saving/printing.h"
#include "saving/runsaving.h"
#include "support/modalanswerer.h"
#include "support/pdfwords.h"
#include "support/scripteddialogues.h"
#include "support/shownview.h"
#include "table/table.h"
#include "table/workprogress.h"
#include "view/runplot.h"
#include "view/tableplotdialog.h"

namespace {

const QSize kPicture(320, 200);

void DrawSomething(QPainter& painter) {
    painter.setPen(QPen(Qt::blue, 2));
    painter.drawLine(QPointF(10, 190), QPointF(310, 10));
    painter.drawText(QRectF(0, 0, 320, 200), Qt::AlignCenter, QStringLiteral("График"));
}

// PDF pages, counted by their page objects.
qsizetype PdfPages(const QByteArray& pdf) {
    return QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PlotImage, HeaderExamples) {
    EXPECT_EQ(PlotFormatOf(QStringLiteral("a.PNG")), PlotFormat::Png);
    EXPECT_EQ(PlotFormatOf(QStringLiteral("a.svg")), PlotFormat::Svg);
    EXPECT_EQ(PlotFormatOf(QStringLiteral("a.pdf")), PlotFormat::Pdf);
    EXPECT_EQ(PlotFormatOf(QStringLiteral("a.jpg")), std::nullopt);
}

TEST(PlotImage, PngHoldsItsScaleTimesThePixels) {
    for (int scale : {1, 2, 3}) {
        const QImage image = QImage::fromData(
            PlotImageBytes(PlotFormat::Png, kPicture, scale, DrawSomething, QStringLiteral("г")),
            "PNG");
        SCOPED_TRACE(scale);
        EXPECT_EQ(image.size(), kPicture * scale);
    }
}

TEST(PlotImage, SvgScalesByItsViewBox) {
    const QByteArray svg =
        PlotImageBytes(PlotFormat::Svg, kPicture, 1, DrawSomething, QStringLiteral("г"));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), kPicture));
}

TEST(PlotImage, PdfIsOnePageOfVectors) {
    const QByteArray pdf =
        PlotImageBytes(PlotFormat::Pdf, kPicture, 1, DrawSomething, QStringLiteral("г"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));  // lines and text, not a raster
}

// The view of a run, its plot shown.
class PlotExportTest : public ShownViewTest {
protected:
    void Open(Answer choice, std::vector<std::optional<std::string>> replies) {
        OpenView(choice, std::move(replies), kPlot);
    }
};

TEST_F(PlotExportTest, CtrlCCopiesThePlotAsAnImage) {
    Open(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(plot_, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), plot_->ImageSize() * plot_->devicePixelRatioF());
    EXPECT_EQ(plot_->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList menu;
    for (const QAction* action : plot_->actions()) {
        menu.append(action->text());
    }
    EXPECT_TRUE(menu.contains(QStringLiteral("Копировать график")));
}

TEST_F(PlotExportTest, SavesThePlotThreeTimesAsLarge) {
    Open(Answer::No, {std::nullopt, std::nullopt, std::nullopt});
    QTemporaryDir folder;
    ModalAnswerer answerer({[&](QDialog& box) {
        auto* files = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->objectName(), QStringLiteral("savePlotDialog"));
        ASSERT_EQ(files->nameFilters().size(), 5);
        files->selectNameFilter(QStringLiteral("PNG, втрое крупнее (*.png)"));
        files->setDirectory(folder.path());
        files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("п"));
        static_cast<QDialog*>(files)->accept();
    }});
    view_->findChild<QPushButton*>(QStringLiteral("savePlotButton"))->click();
    const QImage saved(folder.filePath(QStringLiteral("п.png")));
    EXPECT_EQ(saved.size(), plot_->ImageSize() * 3);
}

// A progress that says stop after `pages` words.
class StopAfter : public WorkProgress {
public:
    explicit StopAfter(size_t pages) : pages_(pages) {}
    bool Advance(size_t done, size_t) override { return done < pages_; }

private:
    size_t pages_;
};

TEST(TablePrinting, PaginatesWithItsRecipeAndStopsWhereItsProgressSaysStop) {
    const Tabulation run = RunScripted(Answer::Yes, {"0", "9.99", "0.01", std::nullopt});
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("table.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    const int pages = PrintTable(printer, run.record, 0, run.record.LineCount());
    EXPECT_GT(pages, 10);  // a thousand rows do not fit on a few pages
    EXPECT_EQ(PdfPages(FileBytes(folder.filePath(QStringLiteral("table.pdf")))), pages);
    printer.setOutputFileName(folder.filePath(QStringLiteral("part.pdf")));
    EXPECT_EQ(PrintTable(printer, run.record, 10, 20), 1);
    // A printer aborts the job; a PDF file cannot, and ends after the pages printed.
    printer.setOutputFileName(folder.filePath(QStringLiteral("stopped.pdf")));
    StopAfter stop(2);
    PrintTable(printer, run.record, 0, run.record.LineCount(), &stop);
    EXPECT_EQ(PdfPages(FileBytes(folder.filePath(QStringLiteral("stopped.pdf")))), 2);
}

// Prints to a PDF file as the print preview's printer would, landscape.
std::vector<PdfWord> PrintedWords(const QString& path,
                                  const std::function<void(QPrinter&)>& print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    print(printer);
    return PdfWords(path);
}

const PdfWord* FindWord(const std::vector<PdfWord>& words, const QString& text) {
    const auto found = std::find_if(words.begin(), words.end(),
                                    [&](const PdfWord& word) { return word.text == text; });
    return found == words.end() ? nullptr : &*found;
}

TEST_F(PlotExportTest, PrintedLegendReadsAsTheAxisTitlesDo) {
    Open(Answer::Yes, {"0", "16", "0.05", std::nullopt});
    QTemporaryDir folder;
    const QSize size = plot_->ImageSize();
    const std::vector<PdfWord> words =
        PrintedWords(folder.filePath(QStringLiteral("plot.pdf")), [&](QPrinter& printer) {
            PrintPicture(printer, size,
                         [&](QPainter& painter) { plot_->DrawImage(painter, size); });
        });
    ASSERT_FALSE(words.empty()) << "pdftotext read nothing";
    const PdfWord* axisTitle = FindWord(words, QStringLiteral("Абсцисса"));
    ASSERT_NE(axisTitle, nullptr);
    for (const char* label :
         {"Ряд", "Формула", "|Ряд", "|Формула", "Точность", "|Приведённый", "|Компенсированная"}) {
        SCOPED_TRACE(label);
        const PdfWord* word = FindWord(words, QString::fromUtf8(label));
        ASSERT_NE(word, nullptr);
        EXPECT_LT(word->Height(), axisTitle->Height() * 1.5);
        EXPECT_GT(word->Height(), axisTitle->Height() / 1.5);
    }
}

TEST(TablePrinting, ColumnsAndHeadingsStandApartOnPaper) {
    const Tabulation run = RunScripted(Answer::Yes, {"0", "16", "0.05", std::nullopt});
    QTemporaryDir folder;
    const std::vector<PdfWord> words =
        PrintedWords(folder.filePath(QStringLiteral("table.pdf")),
                     [&](QPrinter& printer) { PrintTable(printer, run.record, 0, 60); });
    ASSERT_FALSE(words.empty()) << "pdftotext read nothing";
    // No two words of a line touch or come closer than a blank's width.
    for (const PdfWord& word : words) {
        const std::vector<PdfWord> line = LineOf(words, word);
        for (size_t i = 1; i < line.size(); ++i) {
            ASSERT_GE(line[i].left - line[i - 1].right, word.Height() * 0.2)
                << line[i - 1].text.toStdString() << " | " << line[i].text.toStdString();
        }
    }
    for (const char* heading :
         {"округления", "отбрасывания", "|Приведённый", "|Компенсированная"}) {
        EXPECT_NE(FindWord(words, QString::fromUtf8(heading)), nullptr) << heading;
    }
    // Every heading word within its column: none straddles the right edge of
    // a column's numbers (they are right-aligned to it).
    const PdfWord* first = FindWord(words, QStringLiteral("0.05"));
    ASSERT_NE(first, nullptr);
    const std::vector<PdfWord> row = LineOf(words, *first);
    ASSERT_EQ(row.size(), TableColumns(FormulaChoice::Series).size());
    const PdfWord* recipe = FindWord(words, QStringLiteral("шагом"));
    ASSERT_NE(recipe, nullptr);
    for (const PdfWord& word : words) {
        if (word.page != 0 || word.top <= recipe->bottom ||
            word.bottom > row.front().top - row.front().Height()) {
            continue;  // not a heading: the recipe above them, the rows below
        }
        for (const PdfWord& cell : row) {
            EXPECT_FALSE(word.left < cell.right - 0.5 && cell.right + 0.5 < word.right)
                << word.text.toStdString() << " straddles " << cell.text.toStdString();
        }
    }
}

TEST_F(PlotExportTest, PrintShowsAPreviewOfWhatIsShown) {
    Open(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    int pages = 0;
    QString title;
    ModalAnswerer answerer({[&](QDialog& preview) {
        title = preview.windowTitle();
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        widget->updatePreview();
        pages = widget->pageCount();
        preview.reject();
    }});
    view_->findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    EXPECT_EQ(title, QStringLiteral("Печать: график"));
    EXPECT_EQ(pages, 1);
}

TEST(TablePrinting, TooLongATableAsksForASelection) {
    const Tabulation run = RunScripted(Answer::No, {"1", "6000", "1"});
    TablePlotDialog view(nullptr, run);
    view.show();
    QString title;
    QString text;
    ModalAnswerer answerer({ReadMessage(title, text)});
    view.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    EXPECT_EQ(title, QStringLiteral("Действие не выполнено"));
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("В таблице 6000 строк, а напечатать можно не более "
                                       "5000 за раз.")))
        << text.toStdString();
}

// Rows selected over two or more rows print alone, however the selection was
// made; a single row or none means the whole table, here too long to print.
TEST(TablePrinting, PrintsTheRowsSelected) {
    const Tabulation run = RunScripted(Answer::No, {"1", "6000", "1"});
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> rows;  // first and last of each range
        bool selectAll;
        bool printed;
    } cases[] = {
        {"two ranges", {{100, 149}, {200, 219}}, false, true},
        {"all", {}, true, false},
        {"one row", {{10, 10}}, false, false},
        {"none", {}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TablePlotDialog view(nullptr, run);
        view.show();
        auto* table = view.findChild<QTableView*>(QStringLiteral("table"));
        const int lastColumn = table->model()->columnCount() - 1;
        table->clearSelection();
        for (const auto& [first, last] : c.rows) {
            table->selectionModel()->select(QItemSelection(table->model()->index(first, 0),
                                                           table->model()->index(last, lastColumn)),
                                            QItemSelectionModel::Select);
        }
        if (c.selectAll) {
            table->selectAll();
        }
        QString title;
        ModalAnswerer answerer({[&](QDialog& box) {
            title = box.windowTitle();
            box.reject();
        }});
        view.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
        EXPECT_EQ(title, c.printed ? QStringLiteral("Печать: таблица")
                                   : QStringLiteral("Действие не выполнено"));
    }
}

}  // namespace
