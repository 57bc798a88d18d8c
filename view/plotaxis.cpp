#include "view/plotaxis.h"

#include <algorithm>

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetrics>
#include <QLineSeries>
#include <QPen>
#include <QRectF>
#include <QSize>

#include "plotmath/zoom.h"

namespace {

// Room around a tick label, in pixels, and ticks at most per axis.
constexpr int kLabelGap = 24;
constexpr int kMostTicks = 12;
// Labels longer than this many digits count from an offset instead.
constexpr int kMostLabelDigits = 7;

// The widest of the labels in the font.
int WidestLabel(const std::vector<Tick>& ticks, const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const Tick& tick : ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(tick.label)));
    }
    return widest;
}

}  // namespace

PlotAxis::PlotAxis(const QString& title, AxisRange whole, AxisRange bounds, bool decades,
                   Qt::Orientation orientation)
    : axis_(new QCategoryAxis),
      title_(title),
      whole_(whole),
      widest_(WidestRange(whole, bounds)),
      mapping_(whole),
      shown_(whole),
      decades_(decades),
      orientation_(orientation) {
    axis_->setTitleText(title);
    axis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
}

QStringList PlotAxis::Labels() const {
    return axis_->categoriesLabels();
}

void PlotAxis::Show(AxisRange shown, const QRectF& plotArea, double chartWidth) {
    shown_ = shown;
    const AxisRange plot = mapping_.ToPlot(shown);
    axis_->setRange(plot.low, plot.high);
    Retick(plotArea, chartWidth);
}

AxisTicks PlotAxis::ChooseTicks(const QRectF& plotArea) const {
    const bool horizontal = orientation_ == Qt::Horizontal;
    const double room = horizontal ? plotArea.width() : plotArea.height();
    const QFont font = axis_->labelsFont();
    const int spacing = horizontal ? 0 : static_cast<int>(2.5 * QFontMetrics(font).height());
    constexpr int kHorizontalSpacing = 60;  // a first guess; the labels' widths decide
    int most = std::clamp(static_cast<int>(room / (horizontal ? kHorizontalSpacing : spacing)), 2,
                          kMostTicks);
    for (;;) {
        AxisTicks ticks = decades_ ? AxisTicks{DecadeTicks(shown_, most), 0, {}}
                                   : OffsetTicks(shown_, most, kMostLabelDigits);
        const int needed = horizontal ? WidestLabel(ticks.ticks, font) + kLabelGap : spacing;
        if (most <= 2 || static_cast<int>(ticks.ticks.size()) * needed <= room) {
            return ticks;
        }
        most = std::max(std::min(most - 1, static_cast<int>(room / std::max(needed, 1))), 2);
    }
}

void PlotAxis::Retick(const QRectF& plotArea, double chartWidth) {
    AxisTicks ticks = ChooseTicks(plotArea);
    const AxisRange plot = mapping_.ToPlot(shown_);
    if (orientation_ == Qt::Horizontal) {
        // A label centred on its tick must not run off the chart at either end.
        const QFontMetrics metrics(axis_->labelsFont());
        std::erase_if(ticks.ticks, [&](const Tick& tick) {
            const double at = plotArea.left() + (mapping_.ToPlot(tick.value) - plot.low) /
                                                    (plot.high - plot.low) * plotArea.width();
            const double half = metrics.horizontalAdvance(QString::fromStdString(tick.label)) / 2.0;
            return at - half < 0 || at + half > chartWidth;
        });
    }
    for (const QString& label : axis_->categoriesLabels()) {
        axis_->remove(label);
    }
    axis_->setStartValue(plot.low);
    for (const Tick& tick : ticks.ticks) {
        axis_->append(QString::fromStdString(tick.label), mapping_.ToPlot(tick.value));
    }
    axis_->setRange(plot.low, plot.high);
    QString title = title_;
    if (!ticks.offsetLabel.empty()) {
        const bool below = ticks.offsetLabel.front() == '-';
        title += (below ? QStringLiteral(" + ") : QStringLiteral(" − ")) +
                 QString::fromStdString(below ? ticks.offsetLabel.substr(1) : ticks.offsetLabel);
    }
    axis_->setTitleText(title);
}

QSize LegibleChartSize(const QChart& chart) {
    // A label as wide as the widest the ticks print, and the room between.
    const QString typicalLabel = QStringLiteral("-0.0000");
    constexpr int kMargins = 48;
    constexpr int kTicksAcross = 4;
    int verticalTitles = 0;
    int horizontalTitles = 0;
    int labelHeight = 0;
    int labelWidth = 0;
    int titleHeight = 0;
    for (const QAbstractAxis* axis : chart.axes()) {
        const QFontMetrics title(axis->titleFont());
        const QFontMetrics labels(axis->labelsFont());
        int& titles = axis->orientation() == Qt::Vertical ? verticalTitles : horizontalTitles;
        titles = std::max(titles, title.horizontalAdvance(axis->titleText()));
        labelHeight = std::max(labelHeight, labels.height());
        labelWidth = std::max(labelWidth, labels.horizontalAdvance(typicalLabel));
        titleHeight = std::max(titleHeight, title.height());
    }
    const int height = verticalTitles + 2 * (labelHeight + titleHeight) + kMargins;
    const int width = std::max(horizontalTitles, kTicksAcross * (labelWidth + kLabelGap)) +
                      2 * (labelWidth + titleHeight) + kMargins;
    return {width, height};
}

QLineSeries* MakeLine(const char* objectName, const QString& name, const QPen& pen, QChart* chart) {
    auto* line = new QLineSeries(chart);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setName(name);
    line->setPen(pen);
    chart->addSeries(line);
    return line;
}

void Attach(QLineSeries* line, const PlotAxis& horizontal, const PlotAxis& vertical) {
    line->attachAxis(horizontal.Axis());
    line->attachAxis(vertical.Axis());
}
