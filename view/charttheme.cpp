#include "view/charttheme.h"

#include <algorithm>
#include <cmath>

#include <QAbstractAxis>
#include <QChart>
#include <QColor>
#include <QPalette>

namespace {

// The relative luminance of a colour channel of 0 to 1.
double Linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) +
           0.0722 * Linear(colour.blueF());
}

// `colour` moved a share `towards` of the way to `target`.
QColor Mixed(const QColor& colour, const QColor& target, double towards) {
    const auto mix = [towards](float from, float to) {
        return static_cast<float>(from + (to - from) * towards);
    };
    return QColor::fromRgbF(mix(colour.redF(), target.redF()),
                            mix(colour.greenF(), target.greenF()),
                            mix(colour.blueF(), target.blueF()));
}

}  // namespace

bool IsDark(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor LineColourFor(const QColor& colour, const QPalette& palette) {
    if (!IsDark(palette)) {
        return colour;
    }
    const QColor base = palette.color(QPalette::Base);
    constexpr int kSteps = 20;
    for (int step = 0; step <= kSteps; ++step) {
        const QColor lighter = Mixed(colour, Qt::white, static_cast<double>(step) / kSteps);
        if (ContrastRatio(lighter, base) >= kGraphicsContrast) {
            return lighter;
        }
    }
    return palette.color(QPalette::Text);
}

QColor FocusRingColour(const QPalette& palette) {
    const QColor highlight = palette.color(QPalette::Highlight);
    return ContrastRatio(highlight, palette.color(QPalette::Base)) >= kGraphicsContrast
               ? highlight
               : palette.color(QPalette::Text);
}

void ThemeChart(QChart* chart, const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor grid = Mixed(base, text, 0.2);  // nearer the base than the text
    chart->setBackgroundBrush(base);
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitleBrush(text);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsBrush(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(palette.color(QPalette::Mid));
        axis->setGridLineColor(grid);
        axis->setShadesVisible(false);
    }
}
