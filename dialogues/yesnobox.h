#pragma once

#include <QDialog>

class QString;

// A question with the buttons "Да" (the default) and "Нет" and no other way
// out: Esc does nothing and the box offers no close button. exec() gives
// Accepted for "Да", Rejected for "Нет". Object names: "prompt", "yesButton",
// "noButton".
class YesNoBox : public QDialog {
    Q_OBJECT

public:
    YesNoBox(QWidget* parent, const QString& prompt, const QString& title);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
