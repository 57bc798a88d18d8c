#include "view/runplot.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <span>
#include <string>

#include <QCategoryAxis>
#include <QFontMetrics>
#include <QLineSeries>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "messages/actionmessages.h"
#include "numtext/formatnumber.h"
#include "plotmath/decimation.h"
#include "plotmath/ticks.h"
#include "plotmath/zoom.h"
#include "table/table.h"

namespace {

// Zooming in and out by one notch of the wheel.
constexpr double kWheelZoom = 0.8;
constexpr int kWheelNotch = 120;
// A dragged rectangle smaller than this, in pixels, is a click.
constexpr int kSmallestDrag = 4;
// Room around a tick label, in pixels, and ticks at most per axis.
constexpr int kLabelGap = 24;
constexpr int kMostTicks = 12;
// Labels longer than this many digits count from an offset instead.
constexpr int kMostLabelDigits = 7;
// The longest number a readout shows as the coordinates text prints it.
constexpr size_t kLongestReadoutNumber = 24;
constexpr int kReadoutDigits = 4;

constexpr double kLargest = std::numeric_limits<double>::max();

QLineSeries* MakeLine(const char* objectName, const QString& name, QChart* chart) {
    auto* line = new QLineSeries(chart);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setName(name);
    chart->addSeries(line);
    return line;
}

QCategoryAxis* MakeAxis(const QString& title) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    return axis;
}

// The widest of the labels in the axis's font.
int WidestLabel(const std::vector<Tick>& ticks, const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const Tick& tick : ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(tick.label)));
    }
    return widest;
}

// A number for the readout: as the coordinates text prints it where that is
// short, else in the compact form with a few digits.
std::string ReadoutNumber(double value, FormulaChoice choice, bool abscissa) {
    std::string text;
    if (abscissa) {
        AppendAbscissaText(text, value);
    } else {
        AppendValueText(text, value, choice);
    }
    return text.size() <= kLongestReadoutNumber ? text : CompactNumber(value, kReadoutDigits + 4);
}

}  // namespace

RunPlot::PlotAxis::PlotAxis(const QString& title, AxisRange whole, AxisRange bounds, bool decades)
    : axis(MakeAxis(title)),
      title(title),
      whole(whole),
      widest(WidestRange(whole, bounds)),
      mapping(whole),
      shown(whole),
      decades(decades) {}

RunPlot::RunPlot(const RunRecord& record, QWidget* parent)
    : QChartView(new QChart, parent),
      record_(record),
      rubberBand_(new QRubberBand(QRubberBand::Rectangle, viewport())) {
    const bool series = record.IsSeries();
    QChart* plot = chart();
    plot->legend()->setAlignment(Qt::AlignBottom);
    if (series) {
        closedForm_ = ClosedFormColumn(record);
        // Drawn first, wide and pale, so the series shows where it leaves it.
        closedFormLine_ = MakeLine("closedForm", QStringLiteral("Формула 2((cos x)^2 − 1)"), plot);
        closedFormLine_->setPen(QPen(QColor(120, 200, 120), 4));
    }
    values_ =
        MakeLine("values",
                 series ? QStringLiteral("Ряд") : QStringLiteral("Формула 2((cos x)^2 − 1)"), plot);
    values_->setPen(QPen(QColor(30, 60, 200), 1.5));
    const AxisRange reals = {-kLargest, kLargest};
    x_.emplace(QStringLiteral("Абсцисса x"), DataRange(record.X()), reals, false);
    y_.emplace(QStringLiteral("Значение y"), DataRange(record.Y(), closedForm_), reals, false);
    plot->addAxis(x_->axis, Qt::AlignBottom);
    plot->addAxis(y_->axis, Qt::AlignLeft);
    for (QLineSeries* line : {closedFormLine_, values_}) {
        if (line != nullptr) {
            line->attachAxis(x_->axis);
            line->attachAxis(y_->axis);
        }
    }
    if (series) {
        AddSeriesLines();
    }
    setRenderHint(QPainter::Antialiasing);
    viewport()->setMouseTracking(true);
    connect(plot, &QChart::plotAreaChanged, this, [this] {
        Guarded([this] {
            ShowAllTicks();
            Redraw();  // new pixel columns
        });
    });
    ResetZoom();
}

RunPlot::~RunPlot() = default;

void RunPlot::AddSeriesLines() {
    QChart* plot = chart();
    const std::span<const double> y = record_.Y();
    std::vector<double> differences;
    differences.reserve(y.size());
    for (size_t i = 0; i < y.size(); ++i) {
        differences.push_back(std::fabs(y[i] - closedForm_[i]));
    }
    const double precision = record_.recipe.precision;
    error_.emplace(QStringLiteral("|Ряд − формула|, логарифмическая шкала"),
                   DecadeRange(differences, precision), PositiveDecades(), true);
    // A difference of 0 has no logarithm: it sits at the foot of the axis.
    differenceDecades_.reserve(differences.size());
    for (double difference : differences) {
        differenceDecades_.push_back(difference > 0 ? std::log10(difference) : error_->whole.low);
    }
    difference_ = MakeLine("difference", QStringLiteral("|Ряд − формула|"), plot);
    precision_ = MakeLine("precision", QStringLiteral("Точность"), plot);
    precision_->setPen(QPen(Qt::red, 1, Qt::DashLine));
    plot->addAxis(error_->axis, Qt::AlignRight);
    for (QLineSeries* line : {difference_, precision_}) {
        line->attachAxis(x_->axis);
        line->attachAxis(error_->axis);
    }
}

QLineSeries* RunPlot::Line(const char* objectName) const {
    for (QLineSeries* line : {values_, closedFormLine_, difference_, precision_}) {
        if (line != nullptr && line->objectName() == QLatin1String(objectName)) {
            return line;
        }
    }
    return nullptr;
}

const RunPlot::PlotAxis& RunPlot::AxisOf(Axis axis) const {
    switch (axis) {
        case Axis::X:
            return *x_;
        case Axis::Y:
            return *y_;
        case Axis::Error:
            break;
    }
    return *error_;
}

std::pair<double, double> RunPlot::ShownRange(Axis axis) const {
    const AxisRange shown = AxisOf(axis).shown;
    return {shown.low, shown.high};
}

QStringList RunPlot::TickLabels(Axis axis) const {
    return AxisOf(axis).axis->categoriesLabels();
}

QPointF RunPlot::PositionOf(double x, double y) const {
    const QPointF inChart =
        chart()->mapToPosition(QPointF(x_->mapping.ToPlot(x), y_->mapping.ToPlot(y)), values_);
    return mapFromScene(chart()->mapToScene(inChart));
}

void RunPlot::ResetZoom() {
    for (std::optional<PlotAxis>* axis : {&x_, &y_, &error_}) {
        if (axis->has_value()) {
            Show(**axis, (*axis)->whole);
        }
    }
    Redraw();
}

void RunPlot::Show(PlotAxis& axis, AxisRange shown) {
    axis.shown = shown;
    const AxisRange plot = axis.mapping.ToPlot(shown);
    axis.axis->setRange(plot.low, plot.high);
    ShowTicks(axis);
}

AxisTicks RunPlot::ChooseTicks(const PlotAxis& axis) const {
    const QRectF area = chart()->plotArea();
    const bool horizontal = &axis == &*x_;
    const double room = horizontal ? area.width() : area.height();
    const QFont font = axis.axis->labelsFont();
    const int spacing = horizontal ? 0 : static_cast<int>(2.5 * QFontMetrics(font).height());
    int most = std::clamp(static_cast<int>(room / std::max(spacing, 60)), 2, kMostTicks);
    for (;;) {
        const AxisTicks ticks = axis.decades ? AxisTicks{DecadeTicks(axis.shown, most), 0, {}}
                                             : OffsetTicks(axis.shown, most, kMostLabelDigits);
        const int needed = horizontal ? WidestLabel(ticks.ticks, font) + kLabelGap : spacing;
        if (most <= 2 || static_cast<int>(ticks.ticks.size()) * needed <= room) {
            return ticks;
        }
        most = std::max(std::min(most - 1, static_cast<int>(room / std::max(needed, 1))), 2);
    }
}

void RunPlot::ShowTicks(PlotAxis& axis) {
    AxisTicks ticks = ChooseTicks(axis);
    const AxisRange plot = axis.mapping.ToPlot(axis.shown);
    if (&axis == &*x_) {
        // A label centred on its tick must not run off the chart at either end.
        const QRectF area = chart()->plotArea();
        const double width = chart()->size().width();
        const QFontMetrics metrics(axis.axis->labelsFont());
        std::erase_if(ticks.ticks, [&](const Tick& tick) {
            const double at = area.left() + (axis.mapping.ToPlot(tick.value) - plot.low) /
                                                (plot.high - plot.low) * area.width();
            const double half = metrics.horizontalAdvance(QString::fromStdString(tick.label)) / 2.0;
            return at - half < 0 || at + half > width;
        });
    }
    for (const QString& label : axis.axis->categoriesLabels()) {
        axis.axis->remove(label);
    }
    axis.axis->setStartValue(plot.low);
    for (const Tick& tick : ticks.ticks) {
        axis.axis->append(QString::fromStdString(tick.label), axis.mapping.ToPlot(tick.value));
    }
    axis.axis->setRange(plot.low, plot.high);
    QString title = axis.title;
    if (!ticks.offsetLabel.empty()) {
        const bool below = ticks.offsetLabel.front() == '-';
        title += (below ? QStringLiteral(" + ") : QStringLiteral(" − ")) +
                 QString::fromStdString(below ? ticks.offsetLabel.substr(1) : ticks.offsetLabel);
    }
    axis.axis->setTitleText(title);
}

void RunPlot::ShowAllTicks() {
    const QSizeF area = chart()->plotArea().size();
    if (area == ticksMadeFor_) {
        return;  // the labels' own room settled: no new choice of ticks
    }
    ticksMadeFor_ = area;
    for (std::optional<PlotAxis>* axis : {&x_, &y_, &error_}) {
        if (axis->has_value()) {
            ShowTicks(**axis);
        }
    }
}

void RunPlot::Redraw() {
    const AxisRange shownX = x_->shown;
    const int columns =
        std::max(1, static_cast<int>(chart()->plotArea().width() * devicePixelRatioF()));
    const std::span<const double> x = record_.X();
    const auto thinned = [&](std::span<const double> ys, const PlotAxis& vertical) {
        QList<QPointF> points;
        for (size_t i : DecimatePerColumn(x, ys, shownX.low, shownX.high, columns)) {
            points.append(QPointF(x_->mapping.ToPlot(x[i]), vertical.mapping.ToPlot(ys[i])));
        }
        return points;
    };
    values_->replace(thinned(record_.Y(), *y_));
    if (error_) {
        closedFormLine_->replace(thinned(closedForm_, *y_));
        difference_->replace(thinned(differenceDecades_, *error_));
        const double level = error_->mapping.ToPlot(std::log10(record_.recipe.precision));
        const AxisRange plotX = x_->mapping.ToPlot(shownX);
        precision_->replace({QPointF(plotX.low, level), QPointF(plotX.high, level)});
    }
    for (QLineSeries* line : {values_, closedFormLine_, difference_}) {
        if (line != nullptr) {
            line->setPointsVisible(line->count() == 1);  // a lone point needs a marker
        }
    }
}

double RunPlot::XAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    return x_->mapping.ToValue(chart()->mapToValue(inChart, values_).x());
}

double RunPlot::YAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    return y_->mapping.ToValue(chart()->mapToValue(inChart, values_).y());
}

double RunPlot::DecadeAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    return error_->mapping.ToValue(chart()->mapToValue(inChart, difference_).y());
}

void RunPlot::ZoomAbout(QPointF position, double factor) {
    Show(*x_, Zoomed(x_->shown, XAt(position), factor, x_->widest));
    Show(*y_, Zoomed(y_->shown, YAt(position), factor, y_->widest));
    if (error_) {
        Show(*error_, Zoomed(error_->shown, DecadeAt(position), factor, error_->widest));
    }
    Redraw();
}

void RunPlot::ZoomTo(QRectF area) {
    const QPointF first = area.topLeft();
    const QPointF last = area.bottomRight();
    Show(*x_, Limited({XAt(first), XAt(last)}, x_->widest));
    Show(*y_, Limited({YAt(first), YAt(last)}, y_->widest));
    if (error_) {
        Show(*error_, Limited({DecadeAt(first), DecadeAt(last)}, error_->widest));
    }
    Redraw();
}

bool RunPlot::Guarded(const std::function<void()>& action) {
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

void RunPlot::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / static_cast<double>(kWheelNotch);
    if (notches != 0) {
        Guarded([&] { ZoomAbout(event->position(), std::pow(kWheelZoom, notches)); });
    }
    event->accept();
}

void RunPlot::mouseDoubleClickEvent(QMouseEvent* event) {
    Guarded([this] { ResetZoom(); });
    event->accept();
}

void RunPlot::mousePressEvent(QMouseEvent* event) {
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

void RunPlot::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        rubberBand_->setGeometry(QRect(dragStart_, event->position().toPoint()).normalized());
    }
    if (record_.LineCount() > 0) {
        Guarded(
            [&] { emit PointerAt(Readout(NearestIndex(record_.X(), XAt(event->position())))); });
    }
    event->accept();
}

void RunPlot::mouseReleaseEvent(QMouseEvent* event) {
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

QString RunPlot::Readout(size_t index) const {
    const FormulaChoice choice = record_.recipe.choice;
    const double y = record_.Y()[index];
    std::string text = "x = " + ReadoutNumber(record_.X()[index], choice, true);
    text += "; y = " + ReadoutNumber(y, choice, false);
    if (record_.IsSeries()) {
        text += "; формула = " + ReadoutNumber(closedForm_[index], choice, false);
        text += "; |ряд − формула| = " +
                CompactNumber(std::fabs(y - closedForm_[index]), kReadoutDigits);
    }
    return QString::fromStdString(text);
}
