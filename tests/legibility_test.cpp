// The view, the terms dialogue and the window as they open on the screen the
// tests run on: every label, title and caption shows whole. CTest runs these
// on a 1280 × 800 screen at a scale of 1 and of 2 as well.
#include <optional>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "support/shownview.h"
#include "view/runplot.h"
#include "view/seriestermsdialog.h"
#include "view/tableplotdialog.h"
#include "window/form1.h"

namespace {

bool Elided(const QString& text) {
    return text.contains(QChar(0x2026)) || text.contains(QLatin1String("..."));
}

// The texts a chart draws: tick labels, axis titles, the title.
QStringList DrawnTexts(const QChartView& chart) {
    QStringList texts;
    for (const QGraphicsItem* item : chart.scene()->items()) {
        if (!item->isVisible()) {
            continue;
        }
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) {
            texts.append(text->toPlainText());
        } else if (const auto* simple = dynamic_cast<const QGraphicsSimpleTextItem*>(item)) {
            texts.append(simple->text());
        }
    }
    texts.removeAll(QString());
    return texts;
}

// "what: why" for every visible label, button, check box and tab under
// `root` whose text does not show whole.
QStringList CutTexts(const QWidget& root) {
    QStringList cut;
    const auto note = [&cut](const QWidget* widget, const QString& text, const char* why) {
        cut.append(QStringLiteral("%1 '%2' «%3»: %4")
                       .arg(QString::fromLatin1(widget->metaObject()->className()),
                            widget->objectName(), text, QString::fromLatin1(why)));
    };
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->width() == 0) {
            continue;
        }
        const QRect room = label->contentsRect();
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : label->fontMetrics().horizontalAdvance(
                                    label->text().split(QLatin1Char('\n')).first()) <= room.width();
        if (!fits) {
            note(label, label->text(), "cut");
        }
    }
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) {
            continue;
        }
        // A push button's text needs its width and a little room; a check
        // box's its box and icon too, as its size hint has them.
        const QFontMetrics metrics = button->fontMetrics();
        const bool fits = qobject_cast<const QPushButton*>(button) != nullptr
                              ? metrics.horizontalAdvance(button->text()) + 4 <= button->width() &&
                                    metrics.height() <= button->height()
                              : button->width() >= button->sizeHint().width();
        if (!fits) {
            note(button, button->text(), "narrower than its text");
        }
    }
    for (const QTabBar* tabs : root.findChildren<QTabBar*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabRect(i).width() <
                tabs->fontMetrics().horizontalAdvance(tabs->tabText(i))) {
                note(tabs, tabs->tabText(i), "tab cut");
            }
        }
    }
    return cut;
}

// The table's headings, wrapped at blanks, within their sections.
QStringList CutHeadings(const QTableView& table) {
    QStringList cut;
    const QHeaderView* header = table.horizontalHeader();
    const QFontMetrics metrics(header->font());
    for (int section = 0; section < header->count(); ++section) {
        const QString heading = table.model()->headerData(section, Qt::Horizontal).toString();
        const QRect needed = metrics.boundingRect(
            QRect(0, 0, header->sectionSize(section) - 4, 10'000), Qt::TextWordWrap, heading);
        if (needed.width() > header->sectionSize(section) || needed.height() > header->height()) {
            cut.append(heading);
        }
    }
    return cut;
}

void ExpectWithinTheScreen(const QWidget& window) {
    const QRect available = window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " on "
        << available.width() << "x" << available.height();
    EXPECT_GE(window.width(), window.minimumSizeHint().width());
    EXPECT_GE(window.height(), window.minimumSizeHint().height());
}

// A series run from 0 to 16 by 0.05, the one the view was first tried with.
class Legibility : public ShownViewTest {
protected:
    void SetUp() override { OpenView(Answer::Yes, {"0", "16", "0.05", std::nullopt}, kTable); }
};

TEST_F(Legibility, ViewOpensWithinTheScreen) {
    ExpectWithinTheScreen(*view_);
}

TEST_F(Legibility, PlotShowsEveryTickLabelAndTitleWhole) {
    ShowTab(kPlot);
    const auto* plot = view_->findChild<RunPlot*>(QStringLiteral("plot"));
    ASSERT_NE(plot, nullptr);
    const QStringList drawn = DrawnTexts(*plot);
    for (const QString& text : drawn) {
        EXPECT_FALSE(Elided(text)) << text.toStdString();
    }
    for (const char* title : {"Абсцисса x", "Значение y", "Погрешность, лог. шкала"}) {
        EXPECT_TRUE(drawn.contains(QString::fromUtf8(title))) << title;
    }
    for (const RunPlot::Axis axis : {RunPlot::Axis::X, RunPlot::Axis::Y, RunPlot::Axis::Error}) {
        const QStringList ticks = plot->TickLabels(axis);
        EXPECT_GE(ticks.size(), 3);
        for (const QString& tick : ticks) {
            EXPECT_TRUE(drawn.contains(tick)) << "tick " << tick.toStdString() << " not drawn";
        }
    }
    EXPECT_TRUE(CutTexts(*view_).isEmpty())
        << CutTexts(*view_).join(QLatin1Char('\n')).toStdString();
    // Every legend row below the chart, none over its frame.
    const QRect chart(plot->mapTo(&*view_, QPoint(0, 0)), plot->size());
    const auto* legend = view_->findChild<QWidget*>(QStringLiteral("legend"));
    ASSERT_NE(legend, nullptr);
    for (const QCheckBox* row : legend->findChildren<QCheckBox*>()) {
        const QRect place(row->mapTo(&*view_, QPoint(0, 0)), row->size());
        EXPECT_FALSE(row->isVisible() && place.intersects(chart))
            << row->text().toStdString() << " at " << place.top() << ".." << place.bottom()
            << ", the chart " << chart.top() << ".." << chart.bottom();
    }
}

TEST_F(Legibility, TaylorPageShowsItsTextsWhole) {
    ShowTab(kTaylor);
    const auto* plot = view_->findChild<QChartView*>(QStringLiteral("taylorPlot"));
    ASSERT_NE(plot, nullptr);
    for (const QString& text : DrawnTexts(*plot)) {
        EXPECT_FALSE(Elided(text)) << text.toStdString();
    }
    EXPECT_TRUE(CutTexts(*view_).isEmpty())
        << CutTexts(*view_).join(QLatin1Char('\n')).toStdString();
    const QRect chart(plot->mapTo(&*view_, QPoint(0, 0)), plot->size());
    for (const QCheckBox* row :
         view_->findChild<QWidget*>(QStringLiteral("taylorLegend"))->findChildren<QCheckBox*>()) {
        const QRect place(row->mapTo(&*view_, QPoint(0, 0)), row->size());
        EXPECT_FALSE(row->isVisible() && place.intersects(chart)) << row->text().toStdString();
    }
}

TEST_F(Legibility, TableShowsItsHeadingsWholeAndTheMostTellingColumnsFirst) {
    ShowTab(kTable);
    const auto* table = view_->findChild<QTableView*>(QStringLiteral("table"));
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(CutHeadings(*table).isEmpty())
        << CutHeadings(*table).join(QLatin1Char('\n')).toStdString();
    // At the opening size at least №, x, y, the guarantee and the series' error
    // show whole without scrolling.
    const QHeaderView* header = table->horizontalHeader();
    int whole = 0;
    while (whole < header->count() &&
           header->sectionViewportPosition(whole) + header->sectionSize(whole) <=
               table->viewport()->width()) {
        ++whole;
    }
    EXPECT_GE(whole, 5) << "of " << header->count();
    EXPECT_TRUE(CutTexts(*view_).isEmpty())
        << CutTexts(*view_).join(QLatin1Char('\n')).toStdString();
}

// Each control sits on the page of what it acts on; those for the whole run
// sit under both pages.
TEST_F(Legibility, ControlsSitWithWhatTheyActOn) {
    const QWidget* tablePage = tabs_->widget(kTable);
    const QWidget* plotPage = tabs_->widget(kPlot);
    const struct {
        const char* name;
        const QWidget* page;  // none: under both
    } controls[] = {
        {"termsButton", tablePage}, {"resetZoomButton", plotPage}, {"savePlotButton", plotPage},
        {"legend", plotPage},       {"pointer", plotPage},         {"saveButton", nullptr},
        {"printButton", nullptr},   {"closeButton", nullptr},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.name);
        const auto* widget = view_->findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(tablePage->isAncestorOf(widget), control.page == tablePage);
        EXPECT_EQ(plotPage->isAncestorOf(widget), control.page == plotPage);
    }
}

TEST(LegibilityOfTerms, TermsDialogueShowsItsTextsWhole) {
    SeriesTermsDialog terms(nullptr, 15.0, 1.9753086e-05);
    terms.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&terms));
    ExpectWithinTheScreen(terms);
    EXPECT_TRUE(CutTexts(terms).isEmpty()) << CutTexts(terms).join(QLatin1Char('\n')).toStdString();
    terms.findChild<QTabWidget*>()->setCurrentIndex(1);
    QApplication::processEvents();
    const auto* plot = terms.findChild<QChartView*>(QStringLiteral("termsPlot"));
    ASSERT_NE(plot, nullptr);
    for (const QString& text : DrawnTexts(*plot)) {
        EXPECT_FALSE(Elided(text)) << text.toStdString();
    }
    EXPECT_TRUE(CutTexts(terms).isEmpty()) << CutTexts(terms).join(QLatin1Char('\n')).toStdString();
}

TEST(LegibilityOfTheWindow, WindowShowsItsCaptionsWhole) {
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ExpectWithinTheScreen(form);
    EXPECT_TRUE(CutTexts(form).isEmpty()) << CutTexts(form).join(QLatin1Char('\n')).toStdString();
    // The title's blanks keep its first letter clear of the icon over them.
    const auto* title = form.findChild<QLabel*>(QStringLiteral("Label1"));
    const auto* icon = form.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(title, nullptr);
    ASSERT_NE(icon, nullptr);
    const QString text = title->text();
    const qsizetype blanks = text.size() - text.trimmed().size();
    const int firstLetter = title->geometry().left() + title->contentsRect().left() +
                            title->fontMetrics().horizontalAdvance(text.left(blanks));
    EXPECT_GE(firstLetter, icon->geometry().right());
}

}  // namespace
