#pragma once

#include <initializer_list>

#include <QStringList>
#include <Qt>

class QFontMetrics;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QFontMetricsF;
class QString;
class QWidget;

// Pieces shared by the dialogue boxes.

// A dialogue's window: a title and, where `closable`, a close button, but no
// minimise or maximise button (minimising a modal box would hide its owner).
Qt::WindowFlags DialogueFlags(bool closable);

// A label showing `text` as plain text, never as markup, with the object name
// "prompt"; long lines wrap at blanks.
QLabel* MakePromptLabel(QWidget* parent, const QString& text);

// The narrowest width, in pixels, at which a prompt of `text` keeps its short
// lines whole: its widest line, but no more than a long line wraps at.
int PromptWidth(const QFontMetrics& metrics, const QString& text);

// `text` broken into lines at its blanks, each as wide as `width` allows; a
// word wider than that stands alone on its line.
//   ("Оценка округления", a width for one word) -> {"Оценка", "округления"}
QStringList LinesAtBlanks(const QString& text, double width, const QFontMetricsF& metrics);

// The buttons side by side, centred, in the given order.
QHBoxLayout* MakeButtonRow(std::initializer_list<QPushButton*> buttons);

// Widens a dialogue's `content` so that a window manager's title bar shows
// `title` whole beside its buttons.
void ReserveTitleRoom(QWidget* content, const QString& title);

// Gives a resizable dialogue its first size: `share` of its screen's
// available area, at least what its content needs, and with its frame never
// beyond that area.
void SizeToScreenShare(QWidget* dialogue, double share);

// Moves and, where needed, shrinks a shown window so that its frame lies
// within its screen's available area.
void KeepOnScreen(QWidget* window);
