#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;
class RunRecord;
class TaylorPlot;
class QWidget;

// "Многочлены Тейлора": the Taylor plot of a run's range with its controls:
// n by a spin box and a slider (1 up to the most terms the run's series
// summed, or 85 in a closed-form run), in a closed-form run the tolerance
// the interval is measured by (the default precision at first), and the
// interval told under the plot. Object names: "taylorPlot", "taylorDegree",
// "taylorSlider", "taylorTolerance" (closed-form runs), "taylorInterval",
// and the plot page's, prefixed "taylor".
class TaylorPage : public QObject {
    Q_OBJECT

public:
    // The record must hold a line.
    TaylorPage(const RunRecord& record, QWidget* dialogue);

    // The page, for the dialogue's tabs.
    QWidget* Page() const { return page_; }
    TaylorPlot* Plot() const { return plot_; }

private:
    void ReadTolerance();

    QWidget* page_ = nullptr;
    TaylorPlot* plot_ = nullptr;
    QSpinBox* degree_ = nullptr;
    QSlider* slider_ = nullptr;
    QLineEdit* tolerance_ = nullptr;
    QLabel* interval_ = nullptr;
};
