#include "view/taylorplot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QLineSeries>

#include "analysis/exactvalue.h"
#include "analysis/taylor.h"
#include "messages/plotmessages.h"
#include "plotmath/zoom.h"
#include "view/charttheme.h"
#include "view/plotlegend.h"

namespace {

// The y range shown first: y* lies in [−2, 0].
constexpr AxisRange kUsefulHeight = {-4, 2};
// Values beyond this are drawn at it: far outside any range shown, and
// finite for the chart.
constexpr double kClip = 1e6;
constexpr int kSamplesPerColumn = 2;
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr int kEarlierCount = 5;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TaylorPlot::TaylorPlot(AxisRange run, int most, int degree, double tolerance, bool series,
                       QWidget* parent)
    : XyPlot(parent),
      run_(run),
      most_(std::clamp(most, 1, kMostTaylorDegree)),
      degree_(std::clamp(degree, 1, most_)),
      tolerance_(tolerance),
      series_(series) {
    x_.emplace(QStringLiteral("Абсцисса x"), DataRange(std::vector<double>{run.low, run.high}),
               AxisRange{-kLargest, kLargest}, false, Qt::Horizontal);
    y_.emplace(QStringLiteral("Значение"), kUsefulHeight, AxisRange{-kClip, kClip}, false,
               Qt::Vertical);
    AddAxes();

    shadeTop_ = new QLineSeries(chart());
    shadeFoot_ = new QLineSeries(chart());
    shade_ = new QAreaSeries(shadeTop_, shadeFoot_);
    shade_->setObjectName(QStringLiteral("goodInterval"));
    shade_->setName(QStringLiteral("В пределах точности"));
    shade_->setPen(Qt::NoPen);
    chart()->addSeries(shade_);
    shade_->attachAxis(x_->Axis());
    shade_->attachAxis(y_->Axis());

    for (int k = 0; k < kEarlierCount; ++k) {
        QLineSeries* line =
            MakeLine(k == 0 ? "earlier" : "earlierMore", QStringLiteral("Меньшие n"),
                     QPen(line_colours::kSkyBlue, 1), chart());
        Attach(line, *x_, *y_);
        earlier_.push_back(line);
    }
    // The first earlier line's entry shows or hides them all.
    for (QLineSeries* other : std::vector(earlier_.begin() + 1, earlier_.end())) {
        connect(earlier_.front(), &QLineSeries::visibleChanged, other,
                [first = earlier_.front(), other] { other->setVisible(first->isVisible()); });
    }
    exact_ = MakeLine("exact", QStringLiteral("y* = cos 2x − 1"), QPen(line_colours::kPaleGreen, 4),
                      chart());
    current_ =
        MakeLine("taylor", Text(TaylorName(degree_)), QPen(line_colours::kBlue, 2.2), chart());
    Attach(exact_, *x_, *y_);
    Attach(current_, *x_, *y_);
    SetLineDescription(exact_, QStringLiteral("Точное значение y* = cos 2x − 1 = −2·sin²x."));
    SetLineDescription(current_,
                       QStringLiteral("Многочлен Тейлора Sₙ(x) = T₁(x) + … + Tₙ(x), сложенный "
                                      "так же, как программа складывает ряд: те же члены, в "
                                      "том же порядке, в числах double. Поэтому при больших "
                                      "|x| в нём видно и округление, а не только отбрасывание."));
    SetLineDescription(earlier_.front(),
                       QStringLiteral("Несколько меньших n, бледнее: видно, как многочлены "
                                      "сходятся к y* и как растёт хороший отрезок."));
    chart()->setMinimumSize(LegibleChartSize(*chart()));
    setMinimumSize(LegibleChartSize(*chart()) + QSize(2 * frameWidth(), 2 * frameWidth()));
    KeepLineColours();
    TaylorPlot::ApplyPalette();
    shade_->setBrush(QColor(0, 158, 115, 45));
    FindInterval();
    XyPlot::ResetZoom();
}

TaylorPlot::~TaylorPlot() = default;

std::vector<QLineSeries*> TaylorPlot::Lines() const {
    return {exact_, current_, earlier_.front()};
}

void TaylorPlot::ApplyPalette() {
    PlotView::ApplyPalette();
    // The earlier n fainter the further back, in the colour readable on the palette.
    for (size_t k = 0; k < earlier_.size(); ++k) {
        QColor colour = LineColourFor(line_colours::kSkyBlue, palette());
        colour.setAlphaF(0.6F - 0.09F * static_cast<float>(k));
        QPen pen = earlier_[k]->pen();
        pen.setColor(colour);
        earlier_[k]->setPen(pen);
    }
}

std::vector<int> TaylorPlot::EarlierDegrees() const {
    std::vector<int> degrees;
    const int stride = std::max(1, degree_ / (kEarlierCount + 1));
    for (int k = 1; k <= kEarlierCount && degree_ - k * stride >= 1; ++k) {
        degrees.push_back(degree_ - k * stride);
    }
    return degrees;
}

void TaylorPlot::SetDegree(int degree) {
    degree = std::clamp(degree, 1, most_);
    if (degree == degree_) {
        return;
    }
    degree_ = degree;
    current_->setName(Text(TaylorName(degree_)));
    FindInterval();
    Redraw();
}

void TaylorPlot::SetTolerance(double tolerance) {
    tolerance_ = tolerance;
    FindInterval();
    Redraw();
}

QString TaylorPlot::IntervalText() const {
    const double reach = std::max(std::fabs(run_.low), std::fabs(run_.high));
    return Text(GoodIntervalText(degree_, radius_, reach, series_));
}

void TaylorPlot::FindInterval() {
    const double reach = std::max(std::fabs(run_.low), std::fabs(run_.high));
    radius_ = ::GoodRadius(degree_, tolerance_, reach);
    Describe();
    emit IntervalChanged(IntervalText());
}

void TaylorPlot::Describe() {
    setAccessibleDescription(
        Text(TaylorSummary(degree_, run_.low, run_.high, IntervalText().toStdString())));
}

void TaylorPlot::Redraw() {
    const AxisRange shown = x_->Shown();
    const int columns =
        std::max(2, static_cast<int>(chart()->plotArea().width() * devicePixelRatioF()));
    // No further than the run reaches: the polynomials are the run's.
    const double low = std::max(shown.low, run_.low);
    const double high = std::min(shown.high, run_.high);
    std::vector<int> degrees = {degree_};
    const std::vector<int> earlier = EarlierDegrees();
    degrees.insert(degrees.end(), earlier.begin(), earlier.end());
    const TaylorSamples samples =
        low < high ? SampleTaylor(low, high, columns * kSamplesPerColumn, degrees)
                   : SampleTaylor(low, low, 1, degrees);
    const auto plotted = [this, &samples](const std::vector<double>& values) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(values.size()));
        for (size_t i = 0; i < values.size(); ++i) {
            if (std::isfinite(values[i])) {
                points.append(QPointF(x_->Mapping().ToPlot(samples.x[i]),
                                      y_->Mapping().ToPlot(std::clamp(values[i], -kClip, kClip))));
            }
        }
        return points;
    };
    exact_->replace(plotted(samples.exact));
    current_->replace(plotted(samples.sums[0]));
    for (QLineSeries* line : {exact_, current_}) {
        line->setPointsVisible(line->count() == 1);  // a run of one line: a marker
    }
    for (size_t k = 0; k < earlier_.size(); ++k) {
        earlier_[k]->replace(k + 1 < samples.sums.size() ? plotted(samples.sums[k + 1])
                                                         : QList<QPointF>());
    }
    const double left = x_->Mapping().ToPlot(std::max(-radius_, shown.low));
    const double right = x_->Mapping().ToPlot(std::min(radius_, shown.high));
    const AxisRange height = y_->Mapping().ToPlot(y_->Shown());
    if (radius_ > 0 && left < right) {
        shadeTop_->replace({QPointF(left, height.high), QPointF(right, height.high)});
        shadeFoot_->replace({QPointF(left, height.low), QPointF(right, height.low)});
    } else {
        shadeTop_->clear();
        shadeFoot_->clear();
    }
}

void TaylorPlot::PointerMoved(QPointF position) {
    const double x = std::clamp(ValueAt(position).x(), run_.low, run_.high);
    const std::vector<double> sums = PartialSums(x, degree_);
    const double sum = static_cast<int>(sums.size()) == degree_ ? sums.back() : std::nan("");
    emit PointerAt(Text(TaylorReadout(degree_, x, sum, ExactValue(x))));
}

std::optional<std::function<void()>> TaylorPlot::KeyAction(int key) {
    const auto choose = [this](int degree) {
        SetDegree(degree);
        emit DegreeChanged(degree_);
        emit Told(IntervalText());
    };
    switch (key) {
        case Qt::Key_Right:
        case Qt::Key_Up:
            return [this, choose] { choose(degree_ + 1); };
        case Qt::Key_Left:
        case Qt::Key_Down:
            return [this, choose] { choose(degree_ - 1); };
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus: {
            const double factor = key == Qt::Key_Minus ? 1 / kWheelZoom : kWheelZoom;
            return [this, factor] { ZoomAbout(viewport()->rect().center(), factor); };
        }
        case Qt::Key_Home:
            return [this] { ResetZoom(); };
        default:
            return std::nullopt;
    }
}
