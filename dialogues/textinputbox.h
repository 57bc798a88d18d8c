#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QString;

// An input box: the prompt, "ОК" and "Отмена" beside it, a one-line field
// holding the default text, selected so that typing replaces it, and under it
// a line that tells, as the user types, how the text will be read as a number
// (ReadingHint). The prompt is the field's label. Enter confirms; "Отмена",
// Esc and closing reject. It opens centred horizontally on its parent's
// screen, about a third of the way down. Object names: "prompt", "input",
// "readingHint", "okButton", "cancelButton".
class TextInputBox : public QDialog {
    Q_OBJECT

public:
    TextInputBox(QWidget* parent, const QString& prompt, const QString& title,
                 const QString& defaultText);

    QString Text() const;

private:
    void ShowReading(const QString& typed);
    void PlaceOnScreen();

    QLineEdit* input_;
    QLabel* readingHint_;
};
