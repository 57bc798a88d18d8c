#include "dialogues/messagetext.h"

#include <cmath>
#include <memory>

#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "accessibility/accessiblerole.h"
#include "accessibility/accessibletext.h"
#include "dialogues/dialoguelayout.h"

MessageText::MessageText(const QString& text, QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("prompt"));
    setAccessibleName(QStringLiteral("Текст сообщения"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);  // Tab goes on to the buttons
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);  // the window's colour, as behind a label
    SetAccessibleRole(viewport(), QAccessible::Pane);
    viewport()->setAccessibleName(QStringLiteral("Область текста"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    // At blanks; a word longer than a line (a long path) breaks where it must
    // rather than run past the edge unseen.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(0);
    setPlainText(text);
    SetAccessibleText(this);  // read by its own lines, not as wrapped on the screen
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMinimumWidth(PromptWidth(fontMetrics(), text));
}

int MessageText::heightForWidth(int width) const {
    const std::unique_ptr<QTextDocument> laidOut(document()->clone());
    laidOut->setDefaultFont(font());
    laidOut->setTextWidth(width);
    return static_cast<int>(std::ceil(laidOut->size().height()));
}

QSize MessageText::sizeHint() const {
    return {minimumWidth(), heightForWidth(minimumWidth())};
}

QString MessageText::Text() const {
    // The raw text keeps no-break spaces, which the plain text turns into blanks.
    return document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

void MessageText::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool down = event->key() == Qt::Key_Down;
    if ((!down && event->key() != Qt::Key_Up) ||
        (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    const auto mode =
        modifiers == Qt::ShiftModifier ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    QTextCursor cursor = textCursor();
    if (!cursor.movePosition(down ? QTextCursor::NextBlock : QTextCursor::PreviousBlock, mode)) {
        cursor.movePosition(down ? QTextCursor::End : QTextCursor::Start, mode);
    }
    setTextCursor(cursor);
    event->accept();
}

QMimeData* MessageText::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}
