#pragma once

#include <QTextEdit>

class QKeyEvent;
class QMimeData;
class QString;

// A message's text, shown as a label shows it: plain text, never markup,
// unframed on the window's colour, as tall as its lines, long lines wrapping
// at blanks (a word longer than a line anywhere in it, never cut off). Unlike a label, a screen
// reader reads it line by line through its text interface, and it is read once, when it takes the
// focus. It can be selected and copied from the keyboard; a copy is plain text. Object name
// "prompt".
class MessageText : public QTextEdit {
public:
    MessageText(const QString& text, QWidget* parent);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The text as given, line breaks as LF.
    QString Text() const;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    // Up and Down go by the text's own lines, as a reader reads them, not by
    // the lines a long one wraps into.
    void keyPressEvent(QKeyEvent* event) override;
};
