#include "view/runplot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <QCategoryAxis>
#include <QLineSeries>
#include <QScatterSeries>

#include "analysis/errorcurves.h"
#include "analysis/exactvalue.h"
#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "messages/plotmessages.h"
#include "numtext/arithmeticfault.h"
#include "plotmath/decimation.h"
#include "plotmath/ticks.h"
#include "plotmath/zoom.h"
#include "table/table.h"
#include "view/charttheme.h"
#include "view/plotlegend.h"
#include "view/runsummary.h"

namespace {

// The remedies' curves: points computed per pixel column of the shown range.
constexpr int kSamplesPerColumn = 2;
// The keyboard's marker, and how many lines Page Up and Page Down pass: a
// twentieth of the run.
constexpr qreal kMarkerSize = 11;
constexpr size_t kLinesPerPage = 20;
constexpr double kLargest = std::numeric_limits<double>::max();

// An error line is named as the table's column of the same errors.
QString Heading(TableColumn column) {
    const std::string_view heading = ColumnHeading(column);
    return QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
}

}  // namespace

RunPlot::RunPlot(const RunRecord& record, QWidget* parent) : PlotView(parent), record_(record) {
    AddValueLines();
    AddErrorLines();
    if (record.IsSeries()) {
        AddRemedyLines();
    }
    AddMarker();
    DescribeLines();
    notGuaranteed_ = static_cast<std::int64_t>(record.NotGuaranteedCount());
    sweepText_ = SweepText(record);
    // No smaller than its titles and a few labels show whole at; the chart's
    // least size is the one the view keeps to as it resizes.
    chart()->setMinimumSize(LegibleChartSize(*chart()));
    setMinimumSize(LegibleChartSize(*chart()) + QSize(2 * frameWidth(), 2 * frameWidth()));
    RunPlot::ApplyPalette();
    connect(chart(), &QChart::plotAreaChanged, this, [this] {
        Guarded([this] {
            ShowAllTicks();
            Redraw();  // new pixel columns
        });
    });
    RunPlot::ResetZoom();
}

RunPlot::~RunPlot() = default;

void RunPlot::AddValueLines() {
    QChart* plot = chart();
    const bool series = record_.IsSeries();
    if (series) {
        closedForm_ = ClosedFormColumn(record_);
        // Drawn first, wide and pale, so the series shows where it leaves it.
        closedFormLine_ = MakeLine("closedForm", QStringLiteral("Формула 2((cos x)^2 − 1)"),
                                   QPen(line_colours::kPaleGreen, 4), plot);
    }
    values_ = MakeLine("values",
                       series ? QStringLiteral("Ряд") : QStringLiteral("Формула 2((cos x)^2 − 1)"),
                       QPen(line_colours::kBlue, 1.5), plot);
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
    const double floor = error_->Whole().low;
    if (series) {
        errors_.push_back({MakeLine("seriesError", Heading(TableColumn::SeriesError),
                                    QPen(line_colours::kOrange, 1.5), chart()),
                           InDecades(std::move(seriesErrors), floor)});
    }
    errors_.push_back({MakeLine("closedFormError", Heading(TableColumn::ClosedFormError),
                                QPen(line_colours::kReddishPurple, 1.5), chart()),
                       InDecades(std::move(closedFormErrors), floor)});
    for (const FullCurve& curve : errors_) {
        Attach(curve.line, *x_, *error_);
    }
    if (series) {
        precision_ = MakeLine("precision", QStringLiteral("Точность"),
                              QPen(line_colours::kVermilion, 1, Qt::DashLine), chart());
        Attach(precision_, *x_, *error_);
    }
}

void RunPlot::AddRemedyLines() {
    remedies_.push_back({MakeLine("reducedError", Heading(TableColumn::ReducedError),
                                  QPen(line_colours::kBluishGreen, 1.5), chart()),
                         Remedy::Reduced,
                         {}});
    remedies_.push_back({MakeLine("compensatedError", Heading(TableColumn::CompensatedError),
                                  QPen(line_colours::kSkyBlue, 1.5, Qt::DotLine), chart()),
                         Remedy::Compensated,
                         {}});
    for (const SampledCurve& curve : remedies_) {
        Attach(curve.line, *x_, *error_);
    }
}

void RunPlot::DescribeLines() {
    const auto describe = [this](const char* name, const QString& description) {
        if (QLineSeries* line = Line(name)) {
            SetLineDescription(line, description);
        }
    };
    describe("values", record_.IsSeries()
                           ? QStringLiteral("Сумма ряда в каждой точке, как в тексте координат: "
                                            "члены складываются, пока их модуль больше точности.")
                           : QString::fromUtf8(ColumnDescription(TableColumn::Y).data()));
    describe("closedForm", QString::fromUtf8(ColumnDescription(TableColumn::ClosedForm).data()));
    for (const auto& [name, column] :
         {std::pair{"seriesError", TableColumn::SeriesError},
          std::pair{"closedFormError", TableColumn::ClosedFormError},
          std::pair{"reducedError", TableColumn::ReducedError},
          std::pair{"compensatedError", TableColumn::CompensatedError}}) {
        describe(name, QString::fromUtf8(ColumnDescription(column).data()) +
                           QStringLiteral(" Логарифмическая шкала справа."));
    }
    describe("precision", QStringLiteral("Заданная точность ряда: погрешность ниже этой линии "
                                         "— в пределах точности."));
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
    KeepLineColours();
}

void RunPlot::ApplyPalette() {
    PlotView::ApplyPalette();
    const QPalette colours = palette();
    marker_->setColor(FocusRingColour(colours));
    marker_->setBorderColor(colours.color(QPalette::Base));
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
    facts.sweep = sweepText_;
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
    if (count == 0) {
        return std::nullopt;
    }
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

void RunPlot::PointerMoved(QPointF position) {
    if (record_.LineCount() > 0) {
        const QString readout = Readout(NearestIndex(record_.X(), XAt(position)));
        Describe(readout);
        emit PointerAt(readout);
    }
}

QString RunPlot::Readout(size_t index) const {
    const double x = record_.X()[index];
    const double y = record_.Y()[index];
    const ExactReference exact(x);
    PointFacts facts;
    facts.choice = record_.recipe.choice;
    facts.x = x;
    facts.y = y;
    facts.exact = exact.Value();
    if (record_.IsSeries()) {
        facts.seriesError = exact.ErrorOf(y);
        facts.closedFormError = exact.ErrorOf(closedForm_[index]);
    } else {
        facts.closedFormError = exact.ErrorOf(y);
    }
    return QString::fromStdString(PointReadout(facts));
}
