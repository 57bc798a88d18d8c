#include "window/focusringbutton.h"

#include <QPainter>

namespace {

// Room between the button's edge and the ring, in logical pixels.
constexpr int kRingInset = 2;

}  // namespace

void FocusRingButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1));
    painter.drawRect(rect().adjusted(kRingInset, kRingInset, -kRingInset - 1, -kRingInset - 1));
}
