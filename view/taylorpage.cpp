#include "view/taylorpage.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

#include "accessibility/announcer.h"
#include "analysis/taylor.h"
#include "dialogues/guardedaction.h"
#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "numtext/arithmeticfault.h"
#include "numtext/readnumber.h"
#include "view/plotpage.h"
#include "view/taylorplot.h"

namespace {

// n drawn first: enough terms to hug y* for a while, few enough to leave it.
constexpr int kFirstDegree = 6;

// The most terms the run's series summed at any line; 85 in a closed-form run.
int MostDegree(const RunRecord& record) {
    int most = 0;
    for (const SeriesDetail& line : record.Series()) {
        most = std::max(most, line.TermIndex);
    }
    return most > 0 ? std::min(most, kMostTaylorDegree) : kMostTaylorDegree;
}

AxisRange RunRange(const RunRecord& record) {
    const auto [low, high] = std::ranges::minmax(record.X());
    return {low, high};
}

}  // namespace

TaylorPage::TaylorPage(const RunRecord& record, QWidget* dialogue) : QObject(dialogue) {
    const bool series = record.IsSeries();
    const int most = MostDegree(record);
    const double tolerance = series ? record.recipe.precision : ReadNumber(DefaultPrecisionText());
    plot_ = new TaylorPlot(RunRange(record), most, std::min(kFirstDegree, most), tolerance, series,
                           dialogue);
    plot_->setObjectName(QStringLiteral("taylorPlot"));
    plot_->setAccessibleName(QStringLiteral("График многочленов Тейлора"));

    degree_ = new QSpinBox(dialogue);
    degree_->setObjectName(QStringLiteral("taylorDegree"));
    degree_->setRange(1, most);
    degree_->setValue(plot_->Degree());
    degree_->setPrefix(QStringLiteral("n = "));
    degree_->setAccessibleName(QStringLiteral("Число членов n"));
    degree_->setToolTip(
        QStringLiteral("Сколько членов ряда в многочлене Sₙ; на графике также "
                       "стрелки влево и вправо."));
    auto* degreeLabel = new QLabel(QStringLiteral("Членов:"), dialogue);
    degreeLabel->setBuddy(degree_);
    slider_ = new QSlider(Qt::Horizontal, dialogue);
    slider_->setObjectName(QStringLiteral("taylorSlider"));
    slider_->setRange(1, most);
    slider_->setValue(plot_->Degree());
    slider_->setAccessibleName(QStringLiteral("Число членов n"));
    connect(degree_, &QSpinBox::valueChanged, slider_, &QSlider::setValue);
    connect(slider_, &QSlider::valueChanged, degree_, &QSpinBox::setValue);
    connect(degree_, &QSpinBox::valueChanged, this,
            [this, dialogue](int n) { RunGuarded(dialogue, [this, n] { plot_->SetDegree(n); }); });
    connect(plot_, &TaylorPlot::DegreeChanged, degree_, &QSpinBox::setValue);

    auto* controls = new QHBoxLayout;
    controls->addWidget(degreeLabel);
    controls->addWidget(degree_);
    controls->addWidget(slider_, 1);
    if (!series) {
        tolerance_ = new QLineEdit(QString::fromStdString(DefaultPrecisionText()), dialogue);
        tolerance_->setObjectName(QStringLiteral("taylorTolerance"));
        tolerance_->setAccessibleName(QStringLiteral("Допуск"));
        tolerance_->setToolTip(QStringLiteral(
            "Насколько Sₙ может отличаться от y*, чтобы точка попала в закрашенный отрезок. "
            "Читается как точность в окне ввода."));
        auto* toleranceLabel = new QLabel(QStringLiteral("Допуск:"), dialogue);
        toleranceLabel->setBuddy(tolerance_);
        connect(tolerance_, &QLineEdit::editingFinished, this, &TaylorPage::ReadTolerance);
        controls->addWidget(toleranceLabel);
        controls->addWidget(tolerance_);
    }

    interval_ = new QLabel(plot_->IntervalText(), dialogue);
    interval_->setObjectName(QStringLiteral("taylorInterval"));
    interval_->setWordWrap(true);
    interval_->setToolTip(
        QStringLiteral("Закрашен отрезок около 0, на котором |Sₙ − y*| не "
                       "больше точности."));
    MakeAnnouncer(interval_);
    connect(plot_, &TaylorPlot::IntervalChanged, interval_, &QLabel::setText);

    const PlotPage page =
        MakePlotPage(dialogue, plot_,
                     QStringLiteral("Стрелки влево и вправо меняют n; колесо мыши, рамка, + и − "
                                    "увеличивают; Home — весь график."),
                     QStringLiteral("taylor"), controls, interval_);
    page_ = page.page;
}

void TaylorPage::ReadTolerance() {
    double tolerance = 0;
    try {
        tolerance = ReadNumber(tolerance_->text().toStdString());
    } catch (const ArithmeticFault&) {
        tolerance = 0;
    }
    if (!(tolerance > 0)) {
        interval_->setText(QStringLiteral("Допуск должен быть больше нуля."));
        return;
    }
    RunGuarded(page_, [this, tolerance] { plot_->SetTolerance(tolerance); });
}
