#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QChartView>
#include <QColor>

class QLineSeries;
class QRubberBand;

// What every plot of the view shares, whatever it draws: the mouse wheel
// zooms about the pointer, a dragged rectangle zooms to it, a double click
// shows everything again (ResetZoom); keys are the plot's own (KeyAction);
// a ring round the plot shows while it has the keyboard; the lines keep
// their own colours, made readable on the palette, light or dark; and the
// plot draws itself with a legend of its shown lines as a picture for files,
// the clipboard and the printer. A failure while redrawing (memory running
// out) is told in the readout (PointerAt), never thrown into the event loop.
class PlotView : public QChartView {
    Q_OBJECT

public:
    explicit PlotView(QWidget* parent);
    ~PlotView() override;

    // Shows everything the plot has.
    virtual void ResetZoom() = 0;
    // Every drawn line, in the order the legend lists them.
    virtual std::vector<QLineSeries*> Lines() const = 0;
    // The drawn line of that object name; none if there is none.
    QLineSeries* Line(const char* objectName) const;
    std::vector<QLineSeries*> ShownLines() const;

    // The plot as a picture: the chart as shown, and under it a legend of the
    // lines shown, in a picture of `size` logical pixels painted from (0, 0).
    void DrawImage(QPainter& painter, QSize size) const;
    // The picture's size at the plot's size on screen.
    QSize ImageSize() const;
    // The height the legend takes in a picture `width` pixels wide.
    int LegendHeight(int width) const;

signals:
    // What the pointer is over, in words.
    void PointerAt(const QString& readout);
    // What a key did, for a screen reader to speak.
    void Told(const QString& news);

protected:
    // Keeps every line's colour as made, to be shown readable on whichever
    // palette the plot gets; called once the lines are made.
    void KeepLineColours();
    // Dresses the chart and the lines in the palette.
    virtual void ApplyPalette();
    // Runs a step of the plot's own, telling a failure in the readout.
    bool Guarded(const std::function<void()>& action);
    virtual void ZoomAbout(QPointF position, double factor) = 0;
    virtual void ZoomTo(QRectF area) = 0;
    // The pointer moved over the plot to `position`, in the viewport.
    virtual void PointerMoved(QPointF position);
    // What a key of the plot's own does; none for other keys.
    virtual std::optional<std::function<void()>> KeyAction(int key);

    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Zooming in and out by one notch of the wheel, or one key.
    static constexpr double kWheelZoom = 0.8;

private:
    std::vector<std::pair<QLineSeries*, QColor>> colours_;  // each line's own colour
    QRubberBand* rubberBand_ = nullptr;
    QPoint dragStart_;
    bool dragging_ = false;
};
