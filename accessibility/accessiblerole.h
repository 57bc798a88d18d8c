#pragma once

#include <QAccessible>

class QWidget;

// Gives a widget the role a screen reader should announce where the toolkit's
// own guess is wrong: a panel drawn as a framed QFrame is a "frame" to it, a
// plot drawn in a graphics view a "filler", a readout under a plot a label
// of the window (which readers speak with the window's name) where it is a
// status bar. A label keeps its text as its name, whatever sets it. The role
// holds for the widget's whole life.
//   SetAccessibleRole(backdrop, QAccessible::Pane);  // a panel, not a frame
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);
