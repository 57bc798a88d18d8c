#include "view/runplot.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScatterSeries>
#include <QWheelEvent>

#include "accessibility/accessiblerole.h"
#include "analysis/errorcurves.h"
#include "analysis/exactvalue.h"
#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "messages/actionmessages.h"
#include "messages/plotmessages.h"
#include "numtext/arithmeticfault.h"
#include "plotmath/decimation.h"
#include "plotmath/ticks.h"
#include "plotmath/zoom.h"
#include "table/table.h"
#include "view/charttheme.h"

namespace {

// Zooming in and out by one notch of the wheel.
constexpr double kWheelZoom = 0.8;
constexpr int kWheelNotch = 120;
// A dragged rectangle smaller than this, in pixels, is a click.
constexpr int kSmallestDrag = 4;
// The remedies' curves: points computed per pixel column of the shown range.
constexpr int kSamplesPerColumn = 2;
// The keyboard's marker, and how many lines Page Up and Page Down pass: a
// twentieth of the run.
constexpr qreal kMarkerSize = 11;
constexpr size_t kLinesPerPage = 20;
// The ring round the plot while it has the keyboard, in logical pixels.
constexpr int kFocusRingWidth = 2;
// The longest number a readout shows as the coordinates text prints it.
constexpr size_t kLongestReadoutNumber = 24;
constexpr int kReadoutDigits = 4;

constexpr double kLargest = std::numeric_limits<double>::max();

// The lines' colours, apart for any colour vision.
const QColor kValuesColour(0, 114, 178);
const QColor kClosedFormColour(120, 200, 120);
const QColor kSeriesErrorColour(230, 159, 0);
const QColor kClosedFormErrorColour(204, 121, 167);
const QColor kReducedErrorColour(0, 158, 115);
const QColor kCompensatedErrorColour(86, 180, 233);
const QColor kPrecisionColour(213, 94, 0);

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

RunPlot::RunPlot(const RunRecord& record, QWidget* parent)
    : QChartView(new QChart, parent),
      record_(record),
      rubberBand_(new QRubberBand(QRubberBand::Rectangle, viewport())) {
    AddValueLines();
    AddErrorLines();
    if (record.IsSeries()) {
        AddRemedyLines();
    }
    chart()->legend()->hide();  // PlotLegend beside the plot lists the lines whole
    AddMarker();
    notGuaranteed_ = static_cast<std::int64_t>(record.NotGuaranteedCount());
    // No smaller than its titles and a few labels show whole at; the chart's
    // least size is the one the view keeps to as it resizes.
    chart()->setMinimumSize(LegibleChartSize(*chart()));
    setMinimumSize(LegibleChartSize(*chart()) + QSize(2 * frameWidth(), 2 * frameWidth()));
    SetAccessibleRole(this, QAccessible::Chart);
    setAccessibleName(QStringLiteral("График"));
    SetAccessibleRole(viewport(), QAccessible::Canvas);
    viewport()->setAccessibleName(QStringLiteral("Область графика"));
    rubberBand_->setAccessibleName(QStringLiteral("Рамка увеличения"));
    setFocusPolicy(Qt::StrongFocus);
    setRenderHint(QPainter::Antialiasing);
    viewport()->setMouseTracking(true);
    ApplyPalette();
    connect(chart(), &QChart::plotAreaChanged, this, [this] {
        Guarded([this] {
            ShowAllTicks();
            Redraw();  // new pixel columns
        });
    });
    ResetZoom();
}

RunPlot::~RunPlot() = default;

void RunPlot::AddValueLines() {
    QChart* plot = chart();
    const bool series = record_.IsSeries();
    if (series) {
        closedForm_ = ClosedFormColumn(record_);
        // Drawn first, wide and pale, so the series shows where it leaves it.
        closedFormLine_ = MakeLine("closedForm", QStringLiteral("Формула 2((cos x)^2 − 1)"),
                                   QPen(kClosedFormColour, 4), plot);
    }
    values_ = MakeLine("values",
                       series ? QStringLiteral("Ряд") : QStringLiteral("Формула 2((cos x)^2 − 1)"),
                       QPen(kValuesColour, 1.5), plot);
    const AxisRange reals = {-kLargest, kLargest};
    x_.emplace(QStringLiteral("Абсцисса x"), DataRange(record_.X()), reals, false, Qt::Horizontal);
    y_.emplace(QStringLiteral("Значение y"), DataRange(record_.Y(), closedForm_), reals, false,
               Qt::Vertical);
    plot->addAxis(x_->Axis(), Qt::AlignBottom);
    plot->addAxis(y_->Axis(), Qt::AlignLeft);
    for (QLineSeries* line : {closedFormLine_, values_}) {
        if (line != nullptr) {
            Attach(line, *x_, *y_);
        }
    }
}

void RunPlot::AddErrorLines() {
    const std::vector<long double> exact = StandInColumn(record_.X());
    const bool series = record_.IsSeries();
    std::vector<double> closedFormErrors =
        AbsoluteErrors(series ? closedForm_ : record_.Y(), exact);
    std::vector<double> seriesErrors =
        series ? AbsoluteErrors(record_.Y(), exact) : std::vector<double>();
    const double precision = series ? record_.recipe.precision : 0.0;
    error_.emplace(QStringLiteral("Погрешность, лог. шкала"),
                   DecadeRange(closedFormErrors, seriesErrors, precision), PositiveDecades(), true,
                   Qt::Vertical);
    chart()->addAxis(error_->Axis(), Qt::AlignRight);
    // An error of 0 has no logarithm: it sits at the foot of the axis.
    const double floor = error_->Whole().low;
    const auto inDecades = [floor](std::vector<double>& errors) {
        for (double& error : errors) {
            error = error > 0 ? std::log10(error) : floor;
        }
        return std::move(errors);
    };
    if (series) {
        errors_.push_back({MakeLine("seriesError", QStringLiteral("|Ряд − точное|"),
                                    QPen(kSeriesErrorColour, 1.5), chart()),
                           inDecades(seriesErrors)});
    }
    errors_.push_back({MakeLine("closedFormError", QStringLiteral("|Формула − точное|"),
                                QPen(kClosedFormErrorColour, 1.5), chart()),
                       inDecades(closedFormErrors)});
    for (const FullCurve& curve : errors_) {
        Attach(curve.line, *x_, *error_);
    }
    if (series) {
        precision_ = MakeLine("precision", QStringLiteral("Точность"),
                              QPen(kPrecisionColour, 1, Qt::DashLine), chart());
        Attach(precision_, *x_, *error_);
    }
}

void RunPlot::AddRemedyLines() {
    remedies_.push_back({MakeLine("reducedError", QStringLiteral("|Приведённый ряд − точное|"),
                                  QPen(kReducedErrorColour, 1.5), chart()),
                         Remedy::Reduced,
                         {}});
    remedies_.push_back(
        {MakeLine("compensatedError", QStringLiteral("|Компенсированная сумма − точное|"),
                  QPen(kCompensatedErrorColour, 1.5, Qt::DotLine), chart()),
         Remedy::Compensated,
         {}});
    for (const SampledCurve& curve : remedies_) {
        Attach(curve.line, *x_, *error_);
    }
}

void RunPlot::AddMarker() {
    // A scatter series: its point is repainted whole wherever it moves.
    marker_ = new QScatterSeries(chart());
    marker_->setObjectName(QStringLiteral("marker"));
    marker_->setName(QStringLiteral("Выбранная точка"));
    chart()->addSeries(marker_);
    marker_->attachAxis(x_->Axis());
    marker_->attachAxis(y_->Axis());
    marker_->setMarkerSize(kMarkerSize);
    for (QLineSeries* line : Lines()) {
        colours_.emplace_back(line, line->pen().color());
    }
}

void RunPlot::ApplyPalette() {
    const QPalette colours = palette();
    ThemeChart(chart(), colours);
    for (const auto& [line, colour] : colours_) {
        QPen pen = line->pen();
        pen.setColor(LineColourFor(colour, colours));
        line->setPen(pen);
    }
    marker_->setColor(FocusRingColour(colours));
    marker_->setBorderColor(colours.color(QPalette::Base));
}

void RunPlot::focusInEvent(QFocusEvent* event) {
    QChartView::focusInEvent(event);
    viewport()->update();  // the ring
}

void RunPlot::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    viewport()->update();
}

void RunPlot::paintEvent(QPaintEvent* event) {
    QChartView::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(FocusRingColour(palette()), kFocusRingWidth));
    const int inset = kFocusRingWidth / 2;
    painter.drawRect(viewport()->rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

void RunPlot::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        ApplyPalette();
    }
}

void RunPlot::TellRanges() {
    emit Told(QString::fromStdString(ShownRanges(Facts())));
}

void RunPlot::Describe(const QString& point) {
    PlotFacts facts = Facts();
    facts.point = point.toStdString();
    setAccessibleDescription(QString::fromStdString(PlotSummary(facts)));
}

PlotFacts RunPlot::Facts() const {
    PlotFacts facts;
    for (const QLineSeries* line : ShownLines()) {
        facts.lines.push_back(line->name().toStdString());
    }
    facts.xLow = x_->Shown().low;
    facts.xHigh = x_->Shown().high;
    facts.yLow = y_->Shown().low;
    facts.yHigh = y_->Shown().high;
    facts.errorLowDecade = error_->Shown().low;
    facts.errorHighDecade = error_->Shown().high;
    facts.series = record_.IsSeries();
    facts.notGuaranteed = notGuaranteed_;
    facts.lineCount = static_cast<std::int64_t>(record_.LineCount());
    return facts;
}

void RunPlot::MarkLine(size_t index) {
    marked_ = index;
    const double x = record_.X()[index];
    const AxisRange shown = x_->Shown();
    if (x < shown.low || x > shown.high) {  // bring it into view, the span kept
        const double half = (shown.high - shown.low) / 2;
        Show(*x_, Limited({x - half, x + half}, x_->Widest()));
        Redraw();
    } else {
        PlaceMarker();
    }
    const QString readout = Readout(index);
    Describe(readout);
    emit Told(readout);
}

std::optional<std::function<void()>> RunPlot::KeyAction(int key) {
    const size_t count = record_.LineCount();
    const size_t page = std::max<size_t>(1, count / kLinesPerPage);
    // Where the keys start: the marked line, or the one in the middle of the view.
    const size_t at =
        marked_.value_or(NearestIndex(record_.X(), (x_->Shown().low + x_->Shown().high) / 2));
    const bool marked = marked_.has_value();
    switch (key) {
        case Qt::Key_Right:
            return [=, this] { MarkLine(marked ? std::min(at + 1, count - 1) : at); };
        case Qt::Key_Left:
            return [=, this] { MarkLine(marked && at > 0 ? at - 1 : at); };
        case Qt::Key_PageDown:
            return [=, this] { MarkLine(std::min(at + page, count - 1)); };
        case Qt::Key_PageUp:
            return [=, this] { MarkLine(at > page ? at - page : 0); };
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus: {
            const double factor = key == Qt::Key_Minus ? 1 / kWheelZoom : kWheelZoom;
            return [=, this] {
                MarkLine(at);
                ZoomAbout(PositionOf(record_.X()[at], record_.Y()[at]), factor);
                TellRanges();
            };
        }
        case Qt::Key_Home:
            return [this] {
                ResetZoom();
                TellRanges();
            };
        default:
            return std::nullopt;
    }
}

void RunPlot::keyPressEvent(QKeyEvent* event) {
    const std::optional<std::function<void()>> action =
        record_.LineCount() > 0 ? KeyAction(event->key()) : std::nullopt;
    if (!action) {
        QChartView::keyPressEvent(event);
        return;
    }
    Guarded(*action);
    event->accept();
}

std::vector<QLineSeries*> RunPlot::Lines() const {
    std::vector<QLineSeries*> lines;
    for (QLineSeries* line : {closedFormLine_, values_}) {
        if (line != nullptr) {
            lines.push_back(line);
        }
    }
    for (const FullCurve& curve : errors_) {
        lines.push_back(curve.line);
    }
    for (const SampledCurve& curve : remedies_) {
        lines.push_back(curve.line);
    }
    if (precision_ != nullptr) {
        lines.push_back(precision_);
    }
    return lines;
}

QLineSeries* RunPlot::Line(const char* objectName) const {
    for (QLineSeries* line : Lines()) {
        if (line->objectName() == QLatin1String(objectName)) {
            return line;
        }
    }
    return nullptr;
}

const PlotAxis& RunPlot::AxisOf(Axis axis) const {
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
    const AxisRange shown = AxisOf(axis).Shown();
    return {shown.low, shown.high};
}

QStringList RunPlot::TickLabels(Axis axis) const {
    return AxisOf(axis).Labels();
}

QPointF RunPlot::PositionOf(double x, double y) const {
    const QPointF inChart =
        chart()->mapToPosition(QPointF(x_->Mapping().ToPlot(x), y_->Mapping().ToPlot(y)), values_);
    return mapFromScene(chart()->mapToScene(inChart));
}

namespace {

constexpr int kLegendSwatch = 24;
constexpr int kLegendGap = 16;

// Where each shown line's legend entry goes in a strip `width` pixels wide:
// left to right, wrapping.
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

std::vector<QLineSeries*> RunPlot::ShownLines() const {
    std::vector<QLineSeries*> shown = Lines();
    std::erase_if(shown, [](const QLineSeries* line) { return !line->isVisible(); });
    return shown;
}

int RunPlot::LegendHeight(int width) const {
    const QFontMetricsF font(chart()->font());
    const std::vector<QRectF> places = LegendPlaces(ShownLines(), font, width);
    return places.empty()
               ? 0
               : static_cast<int>(std::ceil(places.back().bottom() + font.lineSpacing() * 0.5));
}

QSize RunPlot::ImageSize() const {
    return {viewport()->width(), viewport()->height() + LegendHeight(viewport()->width())};
}

void RunPlot::DrawImage(QPainter& painter, QSize size) const {
    const int legend = LegendHeight(size.width());
    const QRectF chartArea(0, 0, size.width(), size.height() - legend);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), chart()->backgroundBrush());
    chart()->scene()->render(&painter, chartArea, chart()->sceneBoundingRect());
    const QFontMetricsF font(chart()->font());
    const std::vector<QLineSeries*> lines = ShownLines();
    const std::vector<QRectF> places = LegendPlaces(lines, font, size.width());
    painter.setFont(chart()->font());
    for (size_t i = 0; i < lines.size(); ++i) {
        const QRectF place = places[i].translated(0, chartArea.bottom());
        const double middle = place.center().y();
        painter.setPen(lines[i]->pen());
        painter.drawLine(QPointF(place.left(), middle),
                         QPointF(place.left() + kLegendSwatch, middle));
        painter.setPen(chart()->legend()->labelColor());
        painter.drawText(QRectF(place.left() + kLegendSwatch + 6, place.top(),
                                place.width() - kLegendSwatch - 6, place.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, lines[i]->name());
    }
}

void RunPlot::ResetZoom() {
    for (std::optional<PlotAxis>* axis : {&x_, &y_, &error_}) {
        Show(**axis, (*axis)->Whole());
    }
    Redraw();
    Describe();
}

void RunPlot::Show(PlotAxis& axis, AxisRange shown) {
    axis.Show(shown, chart()->plotArea(), chart()->size().width());
}

void RunPlot::ShowAllTicks() {
    const QSizeF area = chart()->plotArea().size();
    if (area == ticksMadeFor_) {
        return;  // the labels' own room settled: no new choice of ticks
    }
    ticksMadeFor_ = area;
    for (std::optional<PlotAxis>* axis : {&x_, &y_, &error_}) {
        (*axis)->Retick(chart()->plotArea(), chart()->size().width());
    }
}

void RunPlot::Redraw() {
    const AxisRange shownX = x_->Shown();
    const int columns =
        std::max(1, static_cast<int>(chart()->plotArea().width() * devicePixelRatioF()));
    const std::span<const double> x = record_.X();
    // Every full curve, with its line and its vertical axis, thinned at once.
    std::vector<std::span<const double>> curves = {record_.Y()};
    std::vector<std::pair<QLineSeries*, const PlotAxis*>> lines = {{values_, &*y_}};
    if (closedFormLine_ != nullptr) {
        curves.emplace_back(closedForm_);
        lines.emplace_back(closedFormLine_, &*y_);
    }
    for (FullCurve& curve : errors_) {
        curves.emplace_back(curve.decades);
        lines.emplace_back(curve.line, &*error_);
    }
    const std::vector<std::vector<size_t>> kept =
        DecimateEachPerColumn(x, curves, shownX.low, shownX.high, columns);
    for (size_t k = 0; k < curves.size(); ++k) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(kept[k].size()));
        for (size_t i : kept[k]) {
            points.append(QPointF(x_->Mapping().ToPlot(x[i]),
                                  lines[k].second->Mapping().ToPlot(curves[k][i])));
        }
        lines[k].first->replace(points);
    }
    const auto [first, last] = VisibleIndices(x, shownX.low, shownX.high);
    for (SampledCurve& curve : remedies_) {
        RedrawSampled(curve, first, last, columns);
    }
    PlaceMarker();
    if (precision_ != nullptr) {
        const double level = error_->Mapping().ToPlot(std::log10(record_.recipe.precision));
        const AxisRange plotX = x_->Mapping().ToPlot(shownX);
        precision_->replace({QPointF(plotX.low, level), QPointF(plotX.high, level)});
    }
    for (QLineSeries* line : Lines()) {
        line->setPointsVisible(line->count() == 1);  // a lone point needs a marker
    }
}

void RunPlot::PlaceMarker() {
    if (marked_) {
        marker_->replace({QPointF(x_->Mapping().ToPlot(record_.X()[*marked_]),
                                  y_->Mapping().ToPlot(record_.Y()[*marked_]))});
    }
}

void RunPlot::RedrawSampled(SampledCurve& curve, size_t first, size_t last, int columns) {
    // The shown lines, and their neighbours just outside, so the curve runs to the edges.
    first = first > 0 ? first - 1 : first;
    last = std::min(last + 1, record_.LineCount());
    const size_t wanted = static_cast<size_t>(columns) * kSamplesPerColumn;
    const size_t stride = std::max<size_t>(1, (last - first) / std::max<size_t>(wanted, 1));
    const std::span<const double> x = record_.X();
    std::vector<size_t> sampled;
    for (size_t i = first; i < last; i += stride) {
        sampled.push_back(i);
    }
    if (last > first && sampled.back() != last - 1) {
        sampled.push_back(last - 1);
    }
    std::vector<double> unknownX;
    std::vector<size_t> unknown;
    for (size_t i : sampled) {
        if (!curve.decades.contains(i)) {
            unknown.push_back(i);
            unknownX.push_back(x[i]);
        }
    }
    const std::vector<double> decades =
        RemedyErrorDecades(curve.remedy, unknownX, record_.recipe.precision, error_->Whole().low);
    for (size_t k = 0; k < unknown.size(); ++k) {
        curve.decades.emplace(unknown[k], decades[k]);
    }
    QList<QPointF> points;
    for (size_t i : sampled) {
        const double decade = curve.decades.at(i);
        if (std::isfinite(decade)) {
            points.append(QPointF(x_->Mapping().ToPlot(x[i]), error_->Mapping().ToPlot(decade)));
        }
    }
    curve.line->replace(points);
}

double RunPlot::XAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    return x_->Mapping().ToValue(chart()->mapToValue(inChart, values_).x());
}

double RunPlot::YAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    return y_->Mapping().ToValue(chart()->mapToValue(inChart, values_).y());
}

double RunPlot::DecadeAt(QPointF position) const {
    const QPointF inChart = chart()->mapFromScene(mapToScene(position.toPoint()));
    return error_->Mapping().ToValue(chart()->mapToValue(inChart, errors_.front().line).y());
}

void RunPlot::ZoomAbout(QPointF position, double factor) {
    Show(*x_, Zoomed(x_->Shown(), XAt(position), factor, x_->Widest()));
    Show(*y_, Zoomed(y_->Shown(), YAt(position), factor, y_->Widest()));
    Show(*error_, Zoomed(error_->Shown(), DecadeAt(position), factor, error_->Widest()));
    Redraw();
    Describe();
}

void RunPlot::ZoomTo(QRectF area) {
    const QPointF first = area.topLeft();
    const QPointF last = area.bottomRight();
    const AxisRange x = Limited({XAt(first), XAt(last)}, x_->Widest());
    const AxisRange y = Limited({YAt(first), YAt(last)}, y_->Widest());
    const AxisRange decades = Limited({DecadeAt(first), DecadeAt(last)}, error_->Widest());
    Show(*x_, x);
    Show(*y_, y);
    Show(*error_, decades);
    Redraw();
    Describe();
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
        Guarded([&] {
            const QString readout = Readout(NearestIndex(record_.X(), XAt(event->position())));
            Describe(readout);
            emit PointerAt(readout);
        });
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
    const double x = record_.X()[index];
    const double y = record_.Y()[index];
    const ExactReference exact(x);
    std::string text = "x = " + ReadoutNumber(x, choice, true);
    text += "; y = " + ReadoutNumber(y, choice, false);
    text += "; точное = " + CompactNumber(exact.Value(), 17);
    if (record_.IsSeries()) {
        text += "; |ряд − точное| = " + CompactNumber(exact.ErrorOf(y), kReadoutDigits);
        text += "; |формула − точное| = " +
                CompactNumber(exact.ErrorOf(closedForm_[index]), kReadoutDigits);
    } else {
        text += "; |формула − точное| = " + CompactNumber(exact.ErrorOf(y), kReadoutDigits);
    }
    return QString::fromStdString(text);
}
