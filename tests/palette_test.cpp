// The view on a light and on a dark desktop: the chart, its lines, the
// tinted rows and the focus rings read on either.
#include <map>
#include <optional>
#include <string>

#include <QAbstractItemModel>
#include <QApplication>
#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "support/shownview.h"
#include "view/charttheme.h"
#include "view/runplot.h"
#include "view/tableplotdialog.h"
#include "window/form1.h"

namespace {

// The text guidelines' least contrast for small text.
constexpr double kTextContrast = 4.5;

// A dark palette as dark desktop themes give one.
QPalette DarkPalette() {
    QPalette dark;
    const QColor window(53, 53, 53);
    const QColor base(35, 38, 41);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, QColor(239, 240, 241));
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Text, QColor(239, 240, 241));
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, QColor(239, 240, 241));
    dark.setColor(QPalette::Mid, QColor(90, 90, 90));
    // A highlight too dark to ring anything on this base.
    dark.setColor(QPalette::Highlight, QColor(30, 60, 90));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

struct Desktop {
    const char* name;
    QPalette palette;
    bool dark;
};

std::vector<Desktop> Desktops() {
    return {{"light", QApplication::style()->standardPalette(), false},
            {"dark", DarkPalette(), true}};
}

// The application's palette for a test's life, as a desktop theme sets it.
class DesktopPalette {
public:
    explicit DesktopPalette(const QPalette& palette) : before_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~DesktopPalette() { QApplication::setPalette(before_); }
    DesktopPalette(const DesktopPalette&) = delete;
    DesktopPalette& operator=(const DesktopPalette&) = delete;

private:
    QPalette before_;
};

// The colour most pixels of `image` have.
QColor CommonestColour(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            ++counts[image.pixel(x, y)];
        }
    }
    auto commonest = counts.begin();
    for (auto at = counts.begin(); at != counts.end(); ++at) {
        commonest = at->second > commonest->second ? at : commonest;
    }
    return QColor(commonest->first);
}

// A series run from 0 to 16, whose precision fails past x = 11, open at its plot.
class PaletteTest : public ShownViewTest, public testing::WithParamInterface<int> {
protected:
    void Open() { OpenView(Answer::Yes, {"0", "16", "0.05", std::nullopt}, kPlot); }

    // Every line, the precision line among them, against the chart's background.
    void ExpectLinesRead(bool dark) {
        const QColor background = plot_->chart()->backgroundBrush().color();
        for (const QLineSeries* line : plot_->Lines()) {
            const double contrast = ContrastRatio(line->pen().color(), background);
            // On a light base the lines keep colours chosen for any colour
            // vision, the pale closed form under the series the palest.
            EXPECT_GE(contrast, dark ? kGraphicsContrast : 2.0)
                << line->objectName().toStdString() << " " << contrast;
        }
    }
};

TEST(ChartTheme, ContrastHeaderExamples) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0, 114, 178), Qt::white), 5.19, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::white, QColor(0, 114, 178)), 5.19, 0.01) << "either way round";
    EXPECT_NEAR(ContrastRatio(QColor(90, 90, 90), QColor(90, 90, 90)), 1.0, 1e-9);
}

TEST_P(PaletteTest, ChartAndItsLinesFollowTheDesktop) {
    const Desktop desktop = Desktops()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(desktop.name);
    const DesktopPalette palette(desktop.palette);
    Open();
    const QColor base = desktop.palette.color(QPalette::Base);
    const QImage drawn = plot_->viewport()->grab().toImage();
    const QColor background = CommonestColour(drawn);
    EXPECT_LT(ContrastRatio(background, base), 1.05)
        << "the chart is drawn on the palette's base: " << background.name().toStdString();
    EXPECT_EQ(background.lightness() < 100, desktop.dark);
    ExpectLinesRead(desktop.dark);
    for (const QAbstractAxis* axis : plot_->chart()->axes()) {
        EXPECT_GE(ContrastRatio(axis->labelsBrush().color(), base), kTextContrast);
    }
}

TEST_P(PaletteTest, ChartTurnsWhenTheDesktopDoes) {
    const Desktop desktop = Desktops()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(desktop.name);
    Open();  // on the palette the tests start with
    const DesktopPalette palette(desktop.palette);
    QApplication::processEvents();
    EXPECT_EQ(plot_->chart()->backgroundBrush().color(), desktop.palette.color(QPalette::Base));
    ExpectLinesRead(desktop.dark);
}

TEST_P(PaletteTest, RowsNotGuaranteedAreTintedAndTheirTextReads) {
    const Desktop desktop = Desktops()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(desktop.name);
    const DesktopPalette palette(desktop.palette);
    Open();
    const QAbstractItemModel* model =
        view_->findChild<QTableView*>(QStringLiteral("table"))->model();
    int tinted = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QVariant tint = model->index(row, 1).data(Qt::BackgroundRole);
        if (!tint.isValid()) {
            continue;
        }
        ++tinted;
        const QColor background = tint.value<QColor>();
        const QColor text = model->index(row, 1).data(Qt::ForegroundRole).value<QColor>();
        EXPECT_GE(ContrastRatio(text, background), kTextContrast) << "row " << row;
        EXPECT_GT(ContrastRatio(background, desktop.palette.color(QPalette::Base)), 1.1)
            << "row " << row << " stands apart from the others";
        EXPECT_EQ(background.lightness() < 128, desktop.dark) << "row " << row;
    }
    EXPECT_GT(tinted, 0);
}

TEST_P(PaletteTest, FocusRingsRead) {
    const Desktop desktop = Desktops()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(desktop.name);
    const DesktopPalette palette(desktop.palette);
    Open();
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&*view_));
    plot_->setFocus();
    ASSERT_TRUE(plot_->hasFocus());
    const QImage ringed = plot_->viewport()->grab().toImage();
    const QColor base = desktop.palette.color(QPalette::Base);
    EXPECT_GE(ContrastRatio(ringed.pixelColor(1, ringed.height() / 2), base), kGraphicsContrast);
    EXPECT_GE(ContrastRatio(ringed.pixelColor(ringed.width() / 2, 0), base), kGraphicsContrast);
    plot_->clearFocus();
    const QImage plain = plot_->viewport()->grab().toImage();
    EXPECT_LT(ContrastRatio(plain.pixelColor(1, plain.height() / 2), base), 1.5)
        << "no ring without the keyboard";
    // The main window's buttons ring themselves in their text colour.
    Form1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Command4"));
    button->setFocus();
    const QImage face = button->grab().toImage();
    const QColor ring = face.pixelColor(2, face.height() / 2);
    const QColor inside = face.pixelColor(6, face.height() / 2);
    EXPECT_GE(ContrastRatio(ring, inside), kGraphicsContrast)
        << ring.name().toStdString() << " on " << inside.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktops, PaletteTest, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(Desktops()[static_cast<size_t>(info.param)].name);
                         });

}  // namespace
