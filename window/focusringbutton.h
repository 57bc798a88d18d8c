#pragma once

#include <QPushButton>

// A push button that marks keyboard focus with a ring of its own: a line in
// its text colour just inside its edge. It reads on the button's own face,
// whatever lies around the button, and on buttons too small for the style's
// focus frame.
class FocusRingButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
