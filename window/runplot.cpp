#include "window/runplot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QValueAxis>
#include <QWheelEvent>

#include "numtext/formatnumber.h"
#include "window/decimation.h"
#include "window/runpoints.h"

namespace {

// A difference of 0 still needs a place on the logarithmic axis: well below
// what rounding of values near 1 can leave.
constexpr double kDifferenceFloor = 1e-18;
// Zooming in and out by one notch of the wheel.
constexpr double kWheelZoom = 0.8;
constexpr int kWheelNotch = 120;
constexpr char kNumberFormat[] = "%.6g";  // printf's, so "." whatever the locale

// The range of `values` (finite ones), widened a little, and never empty.
std::pair<double, double> PaddedRange(const std::vector<double>& values) {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (double value : values) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    if (!(low <= high)) {
        return {-1, 1};
    }
    const double margin =
        high > low ? (high / 2 - low / 2) / 10 : std::max(std::fabs(low), 1.0) / 2;
    return {low - margin, high + margin};
}

QLineSeries* MakeLine(const char* objectName, const QString& name, QChart* chart) {
    auto* line = new QLineSeries(chart);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setName(name);
    chart->addSeries(line);
    return line;
}

QValueAxis* MakeValueAxis(const QString& title, std::pair<double, double> range) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QString::fromLatin1(kNumberFormat));
    axis->setRange(range.first, range.second);
    return axis;
}

}  // namespace

RunPlot::RunPlot(const RunPoints& points, QWidget* parent)
    : QChartView(new QChart, parent), points_(points) {
    QChart* plot = chart();
    plot->legend()->setAlignment(Qt::AlignBottom);
    if (points.choice == FormulaChoice::Series) {
        // Drawn first, wide and pale, so the series shows where it leaves it.
        closedForm_ = MakeLine("closedForm", QStringLiteral("Формула 2((cos x)^2 − 1)"), plot);
        closedForm_->setPen(QPen(QColor(120, 200, 120), 4));
    }
    values_ = MakeLine("values",
                       points.choice == FormulaChoice::Series
                           ? QStringLiteral("Ряд")
                           : QStringLiteral("Формула 2((cos x)^2 − 1)"),
                       plot);
    xAxis_ = MakeValueAxis(QStringLiteral("Абсцисса x"), PaddedRange(points.x));
    yAxis_ = MakeValueAxis(QStringLiteral("Значение y"), PaddedRange(points.y));
    plot->addAxis(xAxis_, Qt::AlignBottom);
    plot->addAxis(yAxis_, Qt::AlignLeft);
    values_->setPen(QPen(QColor(30, 60, 200), 1.5));
    values_->attachAxis(xAxis_);
    values_->attachAxis(yAxis_);
    if (points.choice == FormulaChoice::Series) {
        AddSeriesLines();
    }
    setRubberBand(QChartView::RectangleRubberBand);
    setRenderHint(QPainter::Antialiasing);
    viewport()->setMouseTracking(true);
    connect(xAxis_, &QValueAxis::rangeChanged, this, &RunPlot::Redraw);
    connect(plot, &QChart::plotAreaChanged, this, &RunPlot::Redraw);  // new pixel columns
    ResetZoom();
}

void RunPlot::AddSeriesLines() {
    QChart* plot = chart();
    closedForm_->attachAxis(xAxis_);
    closedForm_->attachAxis(yAxis_);

    shownDifference_.reserve(points_.Size());
    for (size_t i = 0; i < points_.Size(); ++i) {
        const double difference = std::fabs(points_.y[i] - points_.closedForm[i]);
        shownDifference_.push_back(std::max(difference, kDifferenceFloor));
    }
    difference_ = MakeLine("difference", QStringLiteral("|Ряд − формула|"), plot);
    precision_ = MakeLine("precision", QStringLiteral("Точность"), plot);
    precision_->setPen(QPen(Qt::red, 1, Qt::DashLine));
    differenceAxis_ = new QLogValueAxis;
    differenceAxis_->setTitleText(QStringLiteral("|Ряд − формула|, логарифмическая шкала"));
    differenceAxis_->setLabelFormat(QStringLiteral("%.0e"));
    const auto [low, high] = std::minmax_element(shownDifference_.begin(), shownDifference_.end());
    differenceAxis_->setRange(std::min(*low, points_.precision) / 10,
                              std::max(*high, points_.precision) * 10);
    plot->addAxis(differenceAxis_, Qt::AlignRight);
    for (QLineSeries* line : {difference_, precision_}) {
        line->attachAxis(xAxis_);
        line->attachAxis(differenceAxis_);
    }
}

QLineSeries* RunPlot::Line(const char* objectName) const {
    for (QLineSeries* line : {values_, closedForm_, difference_, precision_}) {
        if (line != nullptr && line->objectName() == QLatin1String(objectName)) {
            return line;
        }
    }
    return nullptr;
}

void RunPlot::ResetZoom() {
    const auto [xLow, xHigh] = PaddedRange(points_.x);
    const auto [yLow, yHigh] = PaddedRange(points_.y);
    yAxis_->setRange(yLow, yHigh);
    yAxis_->applyNiceNumbers();
    xAxis_->setRange(xLow, xHigh);
    xAxis_->applyNiceNumbers();
    Redraw();  // also when the range was already this one
}

void RunPlot::Redraw() {
    const double xLow = xAxis_->min();
    const double xHigh = xAxis_->max();
    const int columns =
        std::max(1, static_cast<int>(chart()->plotArea().width() * devicePixelRatioF()));
    values_->replace(DecimatePerColumn(points_.x, points_.y, xLow, xHigh, columns));
    if (closedForm_ == nullptr) {
        return;
    }
    closedForm_->replace(DecimatePerColumn(points_.x, points_.closedForm, xLow, xHigh, columns));
    difference_->replace(DecimatePerColumn(points_.x, shownDifference_, xLow, xHigh, columns));
    precision_->replace({QPointF(xLow, points_.precision), QPointF(xHigh, points_.precision)});
}

void RunPlot::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / static_cast<double>(kWheelNotch);
    if (notches == 0) {
        return;
    }
    const double factor = std::pow(kWheelZoom, notches);
    const QRectF area = chart()->plotArea();
    const QPointF pointer = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    const QPointF anchor(std::clamp(pointer.x(), area.left(), area.right()),
                         std::clamp(pointer.y(), area.top(), area.bottom()));
    chart()->zoomIn(QRectF(anchor.x() - (anchor.x() - area.left()) * factor,
                           anchor.y() - (anchor.y() - area.top()) * factor, area.width() * factor,
                           area.height() * factor));
    event->accept();
}

void RunPlot::mouseDoubleClickEvent(QMouseEvent* event) {
    ResetZoom();
    event->accept();
}

void RunPlot::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (points_.Size() == 0) {
        return;
    }
    const double x = chart()->mapToValue(event->position(), values_).x();
    emit PointerAt(Readout(NearestIndex(points_.x, x)));
}

QString RunPlot::Readout(size_t index) const {
    std::string text = "x = ";
    AppendAbscissaText(text, points_.x[index]);
    text += "; y = ";
    AppendValueText(text, points_.y[index], points_.choice);
    if (points_.choice == FormulaChoice::Series) {
        text += "; формула = ";
        AppendValueText(text, points_.closedForm[index], FormulaChoice::Series);
        text += "; |ряд − формула| = ";
        AppendShortestNumber(text, std::fabs(points_.y[index] - points_.closedForm[index]));
    }
    return QString::fromStdString(text);
}
