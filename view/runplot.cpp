#include "view/runplot.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QValueAxis>
#include <QWheelEvent>

#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "numtext/formatnumber.h"
#include "plotmath/axisrange.h"
#include "plotmath/decimation.h"
#include "table/table.h"

namespace {

// A difference of 0 still needs a place on the logarithmic axis: well below
// what rounding of values near 1 can leave.
constexpr double kDifferenceFloor = 1e-18;
// Zooming in and out by one notch of the wheel.
constexpr double kWheelZoom = 0.8;
constexpr int kWheelNotch = 120;
constexpr char kNumberFormat[] = "%.6g";  // printf's, so "." whatever the locale

// The kept points of a line, thinned to `columns` pixel columns over [xLow, xHigh].
QList<QPointF> ThinnedLine(std::span<const double> xs, std::span<const double> ys, double xLow,
                           double xHigh, int columns) {
    const std::vector<size_t> kept = DecimatePerColumn(xs, ys, xLow, xHigh, columns);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(kept.size()));
    for (size_t i : kept) {
        points.append(QPointF(xs[i], ys[i]));
    }
    return points;
}

QLineSeries* MakeLine(const char* objectName, const QString& name, QChart* chart) {
    auto* line = new QLineSeries(chart);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setName(name);
    chart->addSeries(line);
    return line;
}

QValueAxis* MakeValueAxis(const QString& title, AxisRange range) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QString::fromLatin1(kNumberFormat));
    axis->setRange(range.low, range.high);
    return axis;
}

}  // namespace

RunPlot::RunPlot(const RunRecord& record, QWidget* parent)
    : QChartView(new QChart, parent), record_(record) {
    const bool series = record.IsSeries();
    QChart* plot = chart();
    plot->legend()->setAlignment(Qt::AlignBottom);
    if (series) {
        // Drawn first, wide and pale, so the series shows where it leaves it.
        closedFormLine_ = MakeLine("closedForm", QStringLiteral("Формула 2((cos x)^2 − 1)"), plot);
        closedFormLine_->setPen(QPen(QColor(120, 200, 120), 4));
    }
    values_ = MakeLine("values",
                       series ? QStringLiteral("Ряд")
                           : QStringLiteral("Формула 2((cos x)^2 − 1)"),
                       plot);
    xAxis_ = MakeValueAxis(QStringLiteral("Абсцисса x"), PaddedRange(record.X()));
    yAxis_ = MakeValueAxis(QStringLiteral("Значение y"), PaddedRange(record.Y()));
    plot->addAxis(xAxis_, Qt::AlignBottom);
    plot->addAxis(yAxis_, Qt::AlignLeft);
    values_->setPen(QPen(QColor(30, 60, 200), 1.5));
    values_->attachAxis(xAxis_);
    values_->attachAxis(yAxis_);
    if (series) {
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
    closedFormLine_->attachAxis(xAxis_);
    closedFormLine_->attachAxis(yAxis_);

    closedForm_ = ClosedFormColumn(record_);
    const std::span<const double> y = record_.Y();
    shownDifference_.reserve(y.size());
    for (size_t i = 0; i < y.size(); ++i) {
        shownDifference_.push_back(std::max(std::fabs(y[i] - closedForm_[i]), kDifferenceFloor));
    }
    difference_ = MakeLine("difference", QStringLiteral("|Ряд − формула|"), plot);
    precision_ = MakeLine("precision", QStringLiteral("Точность"), plot);
    precision_->setPen(QPen(Qt::red, 1, Qt::DashLine));
    differenceAxis_ = new QLogValueAxis;
    differenceAxis_->setTitleText(QStringLiteral("|Ряд − формула|, логарифмическая шкала"));
    differenceAxis_->setLabelFormat(QStringLiteral("%.0e"));
    const AxisRange range = LogarithmicRange(shownDifference_, record_.recipe.precision);
    differenceAxis_->setRange(range.low, range.high);
    plot->addAxis(differenceAxis_, Qt::AlignRight);
    for (QLineSeries* line : {difference_, precision_}) {
        line->attachAxis(xAxis_);
        line->attachAxis(differenceAxis_);
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

void RunPlot::ResetZoom() {
    const AxisRange x = PaddedRange(record_.X());
    const AxisRange y = PaddedRange(record_.Y());
    yAxis_->setRange(y.low, y.high);
    yAxis_->applyNiceNumbers();
    xAxis_->setRange(x.low, x.high);
    xAxis_->applyNiceNumbers();
    Redraw();  // also when the range was already this one
}

void RunPlot::Redraw() {
    const double xLow = xAxis_->min();
    const double xHigh = xAxis_->max();
    const int columns =
        std::max(1, static_cast<int>(chart()->plotArea().width() * devicePixelRatioF()));
    const std::span<const double> x = record_.X();
    values_->replace(ThinnedLine(x, record_.Y(), xLow, xHigh, columns));
    if (closedFormLine_ == nullptr) {
        return;
    }
    closedFormLine_->replace(ThinnedLine(x, closedForm_, xLow, xHigh, columns));
    difference_->replace(ThinnedLine(x, shownDifference_, xLow, xHigh, columns));
    const double precision = record_.recipe.precision;
    precision_->replace({QPointF(xLow, precision), QPointF(xHigh, precision)});
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
    if (record_.LineCount() == 0) {
        return;
    }
    const double x = chart()->mapToValue(event->position(), values_).x();
    emit PointerAt(Readout(NearestIndex(record_.X(), x)));
}

QString RunPlot::Readout(size_t index) const {
    const double y = record_.Y()[index];
    std::string text = "x = ";
    AppendAbscissaText(text, record_.X()[index]);
    text += "; y = ";
    AppendValueText(text, y, record_.recipe.choice);
    if (record_.IsSeries()) {
        text += "; формула = ";
        AppendValueText(text, closedForm_[index], FormulaChoice::Series);
        text += "; |ряд − формула| = ";
        AppendShortestNumber(text, std::fabs(y - closedForm_[index]));
    }
    return QString::fromStdString(text);
}
