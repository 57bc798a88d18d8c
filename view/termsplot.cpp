#include "view/termsplot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QCategoryAxis>
#include <QLineSeries>

#include "messages/plotmessages.h"
#include "plotmath/axisrange.h"
#include "plotmath/zoom.h"
#include "view/charttheme.h"

TermsPlot::TermsPlot(std::vector<TermsCurve> curves, double precision, QWidget* parent)
    : XyPlot(parent), curves_(std::move(curves)), precision_(precision) {
    std::vector<double> ns;
    std::vector<double> all;
    for (int n = 1; n <= TermCount(); ++n) {
        ns.push_back(n);
    }
    for (const TermsCurve& curve : curves_) {
        all.insert(all.end(), curve.magnitudes.begin(), curve.magnitudes.end());
    }
    x_.emplace(QStringLiteral("Номер члена n"), DataRange(ns),
               AxisRange{0, static_cast<double>(ns.size() + 1)}, false, Qt::Horizontal);
    y_.emplace(QStringLiteral("Модуль, лог. шкала"), DecadeRange(all, precision), PositiveDecades(),
               true, Qt::Vertical);
    AddAxes();
    for (const TermsCurve& curve : curves_) {
        lines_.push_back(MakeLine(curve.objectName, curve.name, curve.pen, chart()));
    }
    lines_.push_back(MakeLine("precision", QStringLiteral("Точность"),
                              QPen(line_colours::kVermilion, 1, Qt::DashLine), chart()));
    for (QLineSeries* line : lines_) {
        Attach(line, *x_, *y_);
    }
    // No smaller than its titles show whole at.
    chart()->setMinimumSize(LegibleChartSize(*chart()));
    setMinimumSize(LegibleChartSize(*chart()) + QSize(2 * frameWidth(), 2 * frameWidth()));
    KeepLineColours();
    PlotView::ApplyPalette();
    XyPlot::ResetZoom();
}

TermsPlot::~TermsPlot() = default;

int TermsPlot::TermCount() const {
    return curves_.empty() ? 0 : static_cast<int>(curves_.front().magnitudes.size());
}

std::vector<QLineSeries*> TermsPlot::Lines() const {
    return lines_;
}

void TermsPlot::ReplaceCurve(size_t index, std::vector<double> magnitudes, const QString& name) {
    curves_[index].magnitudes = std::move(magnitudes);
    curves_[index].name = name;
    lines_[index]->setName(name);
    Redraw();
}

void TermsPlot::Redraw() {
    const double floor = y_->Whole().low;
    for (size_t k = 0; k < curves_.size(); ++k) {
        const std::vector<double> decades = InDecades(curves_[k].magnitudes, floor);
        QList<QPointF> points;
        for (size_t i = 0; i < decades.size(); ++i) {
            points.append(QPointF(x_->Mapping().ToPlot(static_cast<double>(i + 1)),
                                  y_->Mapping().ToPlot(decades[i])));
        }
        lines_[k]->replace(points);
        lines_[k]->setPointsVisible(points.size() == 1 || curves_[k].markers);
    }
    const AxisRange across = x_->Mapping().ToPlot(x_->Shown());
    const double level = y_->Mapping().ToPlot(std::log10(precision_));
    lines_.back()->replace({QPointF(across.low, level), QPointF(across.high, level)});
}

QString TermsPlot::Readout(int n) const {
    std::vector<NamedValue> values;
    for (size_t k = 0; k < curves_.size(); ++k) {
        if (lines_[k]->isVisible()) {
            const std::vector<double>& magnitudes = curves_[k].magnitudes;
            if (static_cast<size_t>(n) <= magnitudes.size()) {
                values.push_back(
                    {curves_[k].name.toStdString(), magnitudes[static_cast<size_t>(n - 1)]});
            }
        }
    }
    return QString::fromStdString(TermsReadout(n, values));
}

void TermsPlot::PointerMoved(QPointF position) {
    if (TermCount() > 0) {
        const int n =
            std::clamp(static_cast<int>(std::lround(ValueAt(position).x())), 1, TermCount());
        emit PointerAt(Readout(n));
    }
}

std::optional<std::function<void()>> TermsPlot::KeyAction(int key) {
    const int count = TermCount();
    if (count == 0) {
        return std::nullopt;
    }
    const int at = told_.value_or(1);
    const auto tell = [this, count](int n) {
        told_ = std::clamp(n, 1, count);
        emit Told(Readout(*told_));
    };
    switch (key) {
        case Qt::Key_Right:
            return [=, this] { tell(told_ ? at + 1 : at); };
        case Qt::Key_Left:
            return [=] { tell(at - 1); };
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus: {
            const double factor = key == Qt::Key_Minus ? 1 / kWheelZoom : kWheelZoom;
            return [=, this] { ZoomAbout(viewport()->rect().center(), factor); };
        }
        case Qt::Key_Home:
            return [this] { ResetZoom(); };
        default:
            return std::nullopt;
    }
}
