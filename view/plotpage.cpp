#include "view/plotpage.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "accessibility/accessiblerole.h"
#include "accessibility/announcer.h"
#include "dialogues/guardedaction.h"
#include "saving/printing.h"
#include "saving/runsaving.h"
#include "view/plotlegend.h"
#include "view/plotview.h"

namespace {

// Lines kept for the readout under the plot.
constexpr int kReadoutLines = 3;  // the keys' hint wraps to three at larger fonts

// "pointer" alone, or "taylorPointer" with the prefix "taylor".
QString Named(const QString& prefix, const QString& name) {
    return prefix.isEmpty() ? name : prefix + name.left(1).toUpper() + name.mid(1);
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    return button;
}

QLabel* MakeReadout(QWidget* page, const QString& hint, const QString& objectName) {
    auto* readout = new QLabel(hint, page);
    readout->setObjectName(objectName);
    readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Its text changes as the pointer moves: it neither widens the dialogue
    // nor makes the plot above it jump.
    readout->setWordWrap(true);
    readout->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    readout->setFixedHeight(kReadoutLines * readout->fontMetrics().lineSpacing());
    SetAccessibleRole(readout, QAccessible::StatusBar);  // read on demand, not with the page
    return readout;
}

void AddPlotActions(QWidget* page, PlotView* plot) {
    auto* copy = new QAction(QStringLiteral("Копировать график"), page);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto* save = new QAction(QStringLiteral("Сохранить график…"), page);
    auto* reset = new QAction(QStringLiteral("Показать весь график"), page);
    QObject::connect(copy, &QAction::triggered, plot,
                     [page, plot] { CopyPlotPicture(page, *plot); });
    QObject::connect(save, &QAction::triggered, plot,
                     [page, plot] { SavePlotPicture(page, *plot); });
    QObject::connect(reset, &QAction::triggered, plot, &PlotView::ResetZoom);
    page->addAction(copy);  // Ctrl+C anywhere on the plot's page
    for (QAction* action : {copy, save, reset}) {
        plot->addAction(action);
    }
    plot->setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace

PlotPage MakePlotPage(QWidget* parent, PlotView* plot, const QString& hint, const QString& prefix,
                      QBoxLayout* controls, QWidget* under) {
    auto* page = new QWidget(parent);
    plot->setParent(page);
    plot->setFocusPolicy(Qt::StrongFocus);
    auto* reset = MakeButton(page, QStringLiteral("Показать весь график"),
                             Named(prefix, QStringLiteral("resetZoomButton")));
    QObject::connect(reset, &QPushButton::clicked, plot, &PlotView::ResetZoom);
    auto* save = MakeButton(page, QStringLiteral("Сохранить график…"),
                            Named(prefix, QStringLiteral("savePlotButton")));
    QObject::connect(save, &QPushButton::clicked, plot,
                     [page, plot] { SavePlotPicture(page, *plot); });
    AddPlotActions(page, plot);
    QLabel* readout = MakeReadout(page, hint, Named(prefix, QStringLiteral("pointer")));
    QObject::connect(plot, &PlotView::PointerAt, readout, &QLabel::setText);
    // What the plot's keys do is shown under it and spoken; what the mouse does, only shown.
    QLabel* spoken = MakeUnseenAnnouncer(parent, Named(prefix, QStringLiteral("plotNews")));
    QObject::connect(plot, &PlotView::Told, readout, [readout, spoken](const QString& news) {
        readout->setText(news);
        Announce(spoken, news);
    });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(reset);
    buttons->addStretch();
    auto* legendRow = new QHBoxLayout;
    auto* legend = new PlotLegend(plot->Lines(), page);
    legend->setObjectName(Named(prefix, QStringLiteral("legend")));
    legendRow->addWidget(legend, 1);
    legendRow->addLayout(buttons);
    auto* layout = new QVBoxLayout(page);
    if (controls != nullptr) {
        layout->addLayout(controls);
    }
    layout->addWidget(plot, 1);
    if (under != nullptr) {
        layout->addWidget(under);
    }
    layout->addLayout(legendRow);
    layout->addWidget(readout);
    return {page, readout};
}

void CopyPlotPicture(QWidget* parent, const PlotView& plot) {
    RunGuarded(parent, [&plot] {
        const QSize size = plot.ImageSize();
        const qreal ratio = plot.devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        plot.DrawImage(painter, size);
        painter.end();
        QGuiApplication::clipboard()->setImage(image);
    });
}

void SavePlotPicture(QWidget* parent, const PlotView& plot) {
    RunGuarded(parent, [parent, &plot] {
        const QSize size = plot.ImageSize();
        SavePlot(parent, size, [&plot, size](QPainter& painter) { plot.DrawImage(painter, size); });
    });
}

void PrintPlotPicture(QWidget* parent, const PlotView& plot) {
    const QSize size = plot.ImageSize();
    PrintWithPreview(parent, QStringLiteral("график"), true, [&plot, size](QPrinter& printer) {
        PrintPicture(printer, size,
                     [&plot, size](QPainter& painter) { plot.DrawImage(painter, size); });
    });
}
