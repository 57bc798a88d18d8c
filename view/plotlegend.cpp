#include "view/plotlegend.h"

#include <QCheckBox>
#include <QLineSeries>
#include <QPainter>
#include <QPixmap>

#include "accessibility/accessiblerole.h"
#include "view/flowlayout.h"

namespace {

constexpr int kSwatchWidth = 24;
constexpr char kDescriptionProperty[] = "lineDescription";

// A short stretch of the line, in its pen, for the check box's icon.
QIcon Swatch(const QPen& pen, int height, qreal pixelRatio) {
    QPixmap pixmap(QSize(kSwatchWidth, height) * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen shown = pen;
    shown.setWidthF(std::max<qreal>(pen.widthF(), 2));
    painter.setPen(shown);
    painter.drawLine(QPointF(1, height / 2.0), QPointF(kSwatchWidth - 1, height / 2.0));
    return {pixmap};
}

}  // namespace

PlotLegend::PlotLegend(const std::vector<QLineSeries*>& lines, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("legend"));
    SetAccessibleRole(this, QAccessible::Grouping);
    setAccessibleName(QStringLiteral("Легенда графика"));
    auto* layout = new FlowLayout(this);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    for (QLineSeries* line : lines) {
        auto* box = new QCheckBox(line->name(), this);
        box->setObjectName(QStringLiteral("show") + line->objectName());
        box->setChecked(line->isVisible());
        box->setIcon(Swatch(line->pen(), fontMetrics().height(), devicePixelRatioF()));
        box->setIconSize(QSize(kSwatchWidth, fontMetrics().height()));
        box->setToolTip(LineDescription(line));
        box->setAccessibleDescription(LineDescription(line) +
                                      QStringLiteral(" Флажок показывает или скрывает линию."));
        connect(box, &QCheckBox::toggled, line, &QLineSeries::setVisible);
        connect(line, &QLineSeries::nameChanged, box, [box, line] { box->setText(line->name()); });
        layout->addWidget(box);
    }
}

void PlotLegend::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int needed = heightForWidth(width());
    if (needed > 0 && needed != minimumHeight()) {
        setMinimumHeight(needed);
    }
}

void SetLineDescription(QLineSeries* line, const QString& description) {
    line->setProperty(kDescriptionProperty, description);
}

QString LineDescription(const QLineSeries* line) {
    return line->property(kDescriptionProperty).toString();
}
