#pragma once

#include <string_view>

#include <QDialog>

class QHBoxLayout;
class QPushButton;
class QRect;
class QString;

// A message with no icon and one "ОК" button. The text shows as plain text,
// exactly (CR LF starts a new line), and can be selected and copied; a
// screen reader reads it line by line. A text taller or wider than fits on
// the screen shows in a scrollable read-only list of its lines instead, so
// the box always fits on the screen and opens at once even for millions of
// lines. The text holds the keyboard focus, so Ctrl+A and Ctrl+C copy it,
// while Enter presses "ОК". The box is at least as wide as a title bar needs
// to show its title whole. Object names: "prompt" (the MessageText of a text
// that fits) or "lines" (the list), and "okButton". The text must outlive
// the box.
class MessageBox : public QDialog {
    Q_OBJECT

public:
    MessageBox(QWidget* parent, std::string_view text, const QString& title);

    // A further button, before "ОК", which stays the default.
    QPushButton* AddButton(const QString& text, const char* objectName);

private:
    QWidget* MakeText(std::string_view text);
    // The list of lines, as large as the screen `available` lets it be.
    QWidget* MakeLineList(std::string_view text, const QRect& available);

    QHBoxLayout* buttonRow_ = nullptr;
    QPushButton* okButton_ = nullptr;
};
