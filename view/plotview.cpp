#include "view/plotview.h"

#include <cmath>
#include <exception>

#include <QKeyEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>

#include "accessibility/accessiblerole.h"
#include "messages/actionmessages.h"
#include "view/charttheme.h"
#include "view/plotpicture.h"

namespace {

constexpr int kWheelNotch = 120;
// A dragged rectangle smaller than this, in pixels, is a click.
constexpr int kSmallestDrag = 4;
// The ring round the plot while it has the keyboard, in logical pixels.
constexpr int kFocusRingWidth = 2;

}  // namespace

PlotView::PlotView(QWidget* parent)
    : QChartView(new QChart, parent),
      rubberBand_(new QRubberBand(QRubberBand::Rectangle, viewport())) {
    chart()->legend()->hide();  // PlotLegend beside the plot lists the lines whole
    SetAccessibleRole(this, QAccessible::Chart);
    setAccessibleName(QStringLiteral("График"));
    SetAccessibleRole(viewport(), QAccessible::Canvas);
    viewport()->setAccessibleName(QStringLiteral("Область графика"));
    rubberBand_->setAccessibleName(QStringLiteral("Рамка увеличения"));
    setFocusPolicy(Qt::StrongFocus);
    setRenderHint(QPainter::Antialiasing);
    viewport()->setMouseTracking(true);
}

PlotView::~PlotView() = default;

QLineSeries* PlotView::Line(const char* objectName) const {
    for (QLineSeries* line : Lines()) {
        if (line->objectName() == QLatin1String(objectName)) {
            return line;
        }
    }
    return nullptr;
}

std::vector<QLineSeries*> PlotView::ShownLines() const {
    std::vector<QLineSeries*> shown = Lines();
    std::erase_if(shown, [](const QLineSeries* line) { return !line->isVisible(); });
    return shown;
}

void PlotView::DrawImage(QPainter& painter, QSize size) const {
    DrawPlotPicture(painter, size, *chart(), ShownLines());
}

QSize PlotView::ImageSize() const {
    return {viewport()->width(), viewport()->height() + LegendHeight(viewport()->width())};
}

int PlotView::LegendHeight(int width) const {
    return PictureLegendHeight(*chart(), ShownLines(), width);
}

void PlotView::KeepLineColours() {
    colours_.clear();
    for (QLineSeries* line : Lines()) {
        colours_.emplace_back(line, line->pen().color());
    }
}

void PlotView::ApplyPalette() {
    const QPalette colours = palette();
    ThemeChart(chart(), colours);
    for (const auto& [line, colour] : colours_) {
        QPen pen = line->pen();
        pen.setColor(LineColourFor(colour, colours));
        line->setPen(pen);
    }
}

bool PlotView::Guarded(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception&) {
        // Memory ran out redrawing: say so where the readout is, and go on.
        emit PointerAt(QString::fromUtf8(kActionOutOfMemory)
                           .replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        return false;
    }
}

void PlotView::PointerMoved(QPointF /*position*/) {}

std::optional<std::function<void()>> PlotView::KeyAction(int /*key*/) {
    return std::nullopt;
}

void PlotView::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        ApplyPalette();
    }
}

void PlotView::focusInEvent(QFocusEvent* event) {
    QChartView::focusInEvent(event);
    viewport()->update();  // the ring
}

void PlotView::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    viewport()->update();
}

void PlotView::paintEvent(QPaintEvent* event) {
    QChartView::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(FocusRingColour(palette()), kFocusRingWidth));
    const int inset = kFocusRingWidth / 2;
    painter.drawRect(viewport()->rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

void PlotView::keyPressEvent(QKeyEvent* event) {
    const std::optional<std::function<void()>> action = KeyAction(event->key());
    if (!action) {
        QChartView::keyPressEvent(event);
        return;
    }
    Guarded(*action);
    event->accept();
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / static_cast<double>(kWheelNotch);
    if (notches != 0) {
        Guarded([&] { ZoomAbout(event->position(), std::pow(kWheelZoom, notches)); });
    }
    event->accept();
}

void PlotView::mouseDoubleClickEvent(QMouseEvent* event) {
    Guarded([this] { ResetZoom(); });
    event->accept();
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QChartView::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    dragStart_ = event->position().toPoint();
    rubberBand_->setGeometry(QRect(dragStart_, QSize()));
    rubberBand_->show();
    event->accept();
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        rubberBand_->setGeometry(QRect(dragStart_, event->position().toPoint()).normalized());
    }
    Guarded([&] { PointerMoved(event->position()); });
    event->accept();
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    rubberBand_->hide();
    const QRect area = QRect(dragStart_, event->position().toPoint()).normalized();
    if (area.width() >= kSmallestDrag && area.height() >= kSmallestDrag) {
        Guarded([&] { ZoomTo(area); });
    }
    event->accept();
}
