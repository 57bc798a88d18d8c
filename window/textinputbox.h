#pragma once

#include <QDialog>

class QLineEdit;
class QString;

// An input box: the prompt, "ОК" and "Отмена" beside it, and a one-line
// field holding the default text, selected so that typing replaces it. Enter
// confirms; "Отмена", Esc and closing reject. It opens centred horizontally on
// its parent's screen, about a third of the way down. Object names: "prompt",
// "input", "okButton", "cancelButton".
class TextInputBox : public QDialog {
    Q_OBJECT

public:
    TextInputBox(QWidget* parent, const QString& prompt, const QString& title,
                 const QString& defaultText);

    QString Text() const;

private:
    void PlaceOnScreen();

    QLineEdit* input_;
};
