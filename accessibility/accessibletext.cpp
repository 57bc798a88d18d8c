#include "accessibility/accessibletext.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "accessibility/takeover.h"

namespace {

constexpr char kTextProperty[] = "tabulatorAccessibleText";

// The piece of a word or sentence kind that holds `offset`, as the Unicode
// rules cut the text.
std::pair<int, int> FoundPiece(const QString& text, int offset,
                               QTextBoundaryFinder::BoundaryType kind) {
    QTextBoundaryFinder finder(kind, text);
    finder.setPosition(offset);
    if (!finder.isAtBoundary()) {
        finder.toPreviousBoundary();
    }
    const auto start = static_cast<int>(finder.position());
    const auto end = static_cast<int>(finder.toNextBoundary());
    return {start, end < 0 ? static_cast<int>(text.size()) : end};
}

// The line holding `offset`, with its line break.
std::pair<int, int> LineAt(const QString& text, int offset) {
    const int start =
        offset == 0 ? 0 : static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
    const auto lineBreak = static_cast<int>(text.indexOf(QLatin1Char('\n'), offset));
    return {start, lineBreak < 0 ? static_cast<int>(text.size()) : lineBreak + 1};
}

// A read-only QTextEdit as a reader sees it: the widget, with a text
// interface that goes by the text's own lines.
class AccessibleText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleText(QTextEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return Edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int /*selectionIndex*/) override {
        QTextCursor cursor = Edit()->textCursor();
        cursor.clearSelection();
        Edit()->setTextCursor(cursor);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override { return Edit()->textCursor().position(); }
    void setCursorPosition(int position) override;
    QString text(QAccessible::Text kind) const override { return QAccessibleWidget::text(kind); }
    QString text(int startOffset, int endOffset) const override {
        return Plain().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Plain().size()); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int /*endIndex*/) override {
        setCursorPosition(startIndex);
    }
    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};  // one plain run throughout
    }

private:
    QTextEdit* Edit() const { return static_cast<QTextEdit*>(widget()); }
    // The text as offsets count it: a line break for each paragraph's end,
    // no-break spaces kept.
    QString Plain() const {
        return Edit()->document()->toRawText().replace(QChar::ParagraphSeparator,
                                                       QLatin1Char('\n'));
    }
    QString Piece(const QString& text, std::pair<int, int> piece, int* startOffset,
                  int* endOffset) const {
        *startOffset = piece.first;
        *endOffset = piece.second;
        return text.mid(piece.first, piece.second - piece.first);
    }
};

void AccessibleText::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const QTextCursor cursor = Edit()->textCursor();
    const bool selected = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = selected ? cursor.selectionStart() : 0;
    *endOffset = selected ? cursor.selectionEnd() : 0;
}

void AccessibleText::setSelection(int /*selectionIndex*/, int startOffset, int endOffset) {
    const int last = characterCount();
    QTextCursor cursor = Edit()->textCursor();
    cursor.setPosition(std::clamp(startOffset, 0, last));
    cursor.setPosition(std::clamp(endOffset, 0, last), QTextCursor::KeepAnchor);
    Edit()->setTextCursor(cursor);
}

void AccessibleText::setCursorPosition(int position) {
    QTextCursor cursor = Edit()->textCursor();
    cursor.setPosition(std::clamp(position, 0, characterCount()));
    Edit()->setTextCursor(cursor);
}

QString AccessibleText::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                     int* startOffset, int* endOffset) const {
    const QString text = Plain();
    return Piece(text, TextPieceAt(text, offset, boundary), startOffset, endOffset);
}

QString AccessibleText::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                         int* startOffset, int* endOffset) const {
    const QString text = Plain();
    const int start = TextPieceAt(text, offset, boundary).first;
    return Piece(text, start > 0 ? TextPieceAt(text, start - 1, boundary) : std::pair{0, 0},
                 startOffset, endOffset);
}

QString AccessibleText::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                        int* startOffset, int* endOffset) const {
    const QString text = Plain();
    const int end = TextPieceAt(text, offset, boundary).second;
    const auto size = static_cast<int>(text.size());
    return Piece(text, end < size ? TextPieceAt(text, end, boundary) : std::pair{size, size},
                 startOffset, endOffset);
}

QRect AccessibleText::characterRect(int offset) const {
    QTextCursor cursor = Edit()->textCursor();
    cursor.setPosition(std::clamp(offset, 0, characterCount()));
    QRect place = Edit()->cursorRect(cursor);
    const QString character = text(offset, offset + 1);
    place.setWidth(std::max(1, Edit()->fontMetrics().horizontalAdvance(character)));
    return place.translated(Edit()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int AccessibleText::offsetAtPoint(const QPoint& point) const {
    const QPoint inside = Edit()->viewport()->mapFromGlobal(point);
    return Edit()->viewport()->rect().contains(inside)
               ? Edit()->cursorForPosition(inside).position()
               : -1;
}

}  // namespace

std::pair<int, int> TextPieceAt(const QString& text, int offset,
                                QAccessible::TextBoundaryType boundary) {
    const auto size = static_cast<int>(text.size());
    if (boundary == QAccessible::NoBoundary) {
        return {0, size};
    }
    const bool wholeLines =
        boundary == QAccessible::LineBoundary || boundary == QAccessible::ParagraphBoundary;
    // The caret after the last character stands on the last line.
    offset = wholeLines && offset == size && size > 0 ? size - 1 : offset;
    if (offset < 0 || offset >= size) {
        return {size, size};
    }
    switch (boundary) {
        case QAccessible::WordBoundary:
            return FoundPiece(text, offset, QTextBoundaryFinder::Word);
        case QAccessible::SentenceBoundary:
            return FoundPiece(text, offset, QTextBoundaryFinder::Sentence);
        case QAccessible::LineBoundary:
        case QAccessible::ParagraphBoundary:
            return LineAt(text, offset);
        default:
            return {offset, offset + 1};
    }
}

void SetAccessibleText(QTextEdit* text) {
    TakeOver(text, kTextProperty, true, &MarkedFactory<QTextEdit, AccessibleText, kTextProperty>,
             &IsA<AccessibleText>);
}
