#pragma once

#include <QLayout>
#include <QList>

// Lays its widgets out left to right, as many to a row as fit the width, and
// on to the next row: a legend of long names wraps rather than widening its
// window. Its height follows its width.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (or only measures, when `place` is false);
    // returns the height they take.
    int Arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
};
