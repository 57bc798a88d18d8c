#pragma once

#include <QAccessible>

class QWidget;

// Gives a widget the role a screen reader should announce where the toolkit's
// own guess is wrong: a panel drawn as a framed QFrame is a "frame" to it, a
// plot drawn in a graphics view a "filler". The role holds for the widget's
// whole life.
//   SetAccessibleRole(backdrop, QAccessible::Pane);  // a panel, not a frame
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);
