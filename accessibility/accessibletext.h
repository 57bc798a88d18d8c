#pragma once

#include <utility>

#include <QAccessible>

class QString;
class QTextEdit;

// Has screen readers read the read-only `text` by its own lines, from one
// line break to the next, where the toolkit's reading goes by the lines the
// widget wraps them into: a long sentence of a message is heard whole, not
// cut where the box is narrow. It holds for the widget's life.
void SetAccessibleText(QTextEdit* text);

// The start and the end of the piece of `text` of the kind `boundary` that
// holds `offset`; a line ends after its line break, and a line or paragraph
// at the very end of the text is its last one. An empty range past the end.
//   TextPieceAt("ab\ncd", 1, QAccessible::LineBoundary) -> {0, 3}
//   TextPieceAt("ab\ncd", 5, QAccessible::LineBoundary) -> {3, 5}
//   TextPieceAt("ab\ncd", 4, QAccessible::CharBoundary) -> {4, 5}
std::pair<int, int> TextPieceAt(const QString& text, int offset,
                                QAccessible::TextBoundaryType boundary);
