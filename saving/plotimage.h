#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QSize>
#include <QString>

class QPainter;

// A plot as a file of its own: PNG (raster, at 1, 2 or 3 times its size on
// screen), SVG (vector, with a view box, so it scales) or PDF (vector, one
// page the plot's size).
enum class PlotFormat { Png, Svg, Pdf };

// The format a file name's suffix names, any case: ".png", ".svg", ".pdf".
//   PlotFormatOf("a.PNG") -> Png; PlotFormatOf("a.jpg") -> none
std::optional<PlotFormat> PlotFormatOf(const QString& path);

// Draws the picture, `size` logical pixels, by `draw` (which paints into the
// rectangle (0, 0, size)) into the bytes of `format`; a PNG holds `scale`
// times as many pixels, a PDF is vector and 96 logical pixels to the inch.
// `title` names the picture in an SVG or a PDF.
QByteArray PlotImageBytes(PlotFormat format, QSize size, int scale,
                          const std::function<void(QPainter&)>& draw, const QString& title);

// Writes PlotImageBytes to `path` atomically; the Russian cause of a failure,
// or an empty text.
QString WritePlotImage(const QString& path, PlotFormat format, QSize size, int scale,
                       const std::function<void(QPainter&)>& draw, const QString& title);
