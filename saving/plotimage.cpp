#include "saving/plotimage.h"

#include <string_view>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "files/atomicfile.h"

namespace {

constexpr int kLogicalDpi = 96;

QByteArray Png(QSize size, int scale, const std::function<void(QPainter&)>& draw) {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Svg(QSize size, const std::function<void(QPainter&)>& draw, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(kLogicalDpi);
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Табулирование функций"));
    QPainter painter(&generator);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return bytes;
}

QByteArray Pdf(QSize size, const std::function<void(QPainter&)>& draw, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Табулирование функций"));
    writer.setResolution(kLogicalDpi);
    // One page the plot's own size: 96 logical pixels to the inch, 72 points.
    const QSizeF points = QSizeF(size) * 72.0 / kLogicalDpi;
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return bytes;
}

}  // namespace

std::optional<PlotFormat> PlotFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return PlotFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return PlotFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return PlotFormat::Pdf;
    }
    return std::nullopt;
}

QByteArray PlotImageBytes(PlotFormat format, QSize size, int scale,
                          const std::function<void(QPainter&)>& draw, const QString& title) {
    switch (format) {
        case PlotFormat::Png:
            return Png(size, scale, draw);
        case PlotFormat::Svg:
            return Svg(size, draw, title);
        case PlotFormat::Pdf:
            break;
    }
    return Pdf(size, draw, title);
}

QString WritePlotImage(const QString& path, PlotFormat format, QSize size, int scale,
                       const std::function<void(QPainter&)>& draw, const QString& title) {
    const QByteArray bytes = PlotImageBytes(format, size, scale, draw, title);
    return WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
