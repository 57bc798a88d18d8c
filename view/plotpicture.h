#pragma once

#include <vector>

#include <QSize>

class QChart;
class QLineSeries;
class QPainter;

// A plot drawn as a picture for files, the clipboard and the printer: the
// chart as shown, and under it a legend of `lines` (a swatch of each line's
// pen and its name), wrapping left to right, in a picture of `size` logical
// pixels painted from (0, 0).
void DrawPlotPicture(QPainter& painter, QSize size, const QChart& chart,
                     const std::vector<QLineSeries*>& lines);

// The height the legend of `lines` takes in a picture `width` pixels wide.
int PictureLegendHeight(const QChart& chart, const std::vector<QLineSeries*>& lines, int width);
