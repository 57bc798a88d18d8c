#pragma once

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QString;
class QWidget;

// Pieces shared by the dialogue boxes.

// A label showing `text` as plain text, never as markup, with the object name
// "prompt"; long lines wrap at blanks.
QLabel* MakePromptLabel(QWidget* parent, const QString& text);

// The buttons side by side, centred, in the given order.
QHBoxLayout* MakeButtonRow(std::initializer_list<QPushButton*> buttons);
