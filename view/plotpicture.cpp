#include "view/plotpicture.h"

#include <cmath>

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>

namespace {

constexpr int kLegendSwatch = 24;
constexpr int kLegendGap = 16;

// Where each line's legend entry goes in a strip `width` pixels wide: left to
// right, wrapping.
std::vector<QRectF> LegendPlaces(const std::vector<QLineSeries*>& lines, const QFontMetricsF& font,
                                 double width) {
    std::vector<QRectF> places;
    const double height = font.lineSpacing() * 1.4;
    double x = kLegendGap;
    double y = 0;
    for (const QLineSeries* line : lines) {
        const double entry = kLegendSwatch + 6 + font.horizontalAdvance(line->name());
        if (x > kLegendGap && x + entry > width - kLegendGap) {
            x = kLegendGap;
            y += height;
        }
        places.emplace_back(x, y, entry, height);
        x += entry + kLegendGap;
    }
    return places;
}

}  // namespace

int PictureLegendHeight(const QChart& chart, const std::vector<QLineSeries*>& lines, int width) {
    const QFontMetricsF font(chart.font());
    const std::vector<QRectF> places = LegendPlaces(lines, font, width);
    return places.empty()
               ? 0
               : static_cast<int>(std::ceil(places.back().bottom() + font.lineSpacing() * 0.5));
}

void DrawPlotPicture(QPainter& painter, QSize size, const QChart& chart,
                     const std::vector<QLineSeries*>& lines) {
    const int legend = PictureLegendHeight(chart, lines, size.width());
    const QRectF chartArea(0, 0, size.width(), size.height() - legend);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), chart.backgroundBrush());
    chart.scene()->render(&painter, chartArea, chart.sceneBoundingRect());
    const QFontMetricsF font(chart.font());
    const std::vector<QRectF> places = LegendPlaces(lines, font, size.width());
    painter.setFont(chart.font());
    for (size_t i = 0; i < lines.size(); ++i) {
        const QRectF place = places[i].translated(0, chartArea.bottom());
        const double middle = place.center().y();
        painter.setPen(lines[i]->pen());
        painter.drawLine(QPointF(place.left(), middle),
                         QPointF(place.left() + kLegendSwatch, middle));
        painter.setPen(chart.legend()->labelColor());
        painter.drawText(QRectF(place.left() + kLegendSwatch + 6, place.top(),
                                place.width() - kLegendSwatch - 6, place.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]->name());
    }
}
