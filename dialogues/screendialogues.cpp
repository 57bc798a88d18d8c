#include "dialogues/screendialogues.h"

#include <QString>

#include "dialogues/messagebox.h"
#include "dialogues/textinputbox.h"
#include "dialogues/yesnobox.h"

namespace {

// A text of the run as the boxes show it: CR LF becomes Qt's line break.
QString Shown(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

Answer ScreenDialogues::AskYesNo(const std::string& prompt, const std::string& title) {
    YesNoBox box(owner_, Shown(prompt), Shown(title));
    const bool yes = box.exec() == QDialog::Accepted;
    return yes ? Answer::Yes : Answer::No;
}

std::string ScreenDialogues::AskText(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) {
    TextInputBox box(owner_, Shown(prompt), Shown(title), QString::fromStdString(defaultText));
    const bool confirmed = box.exec() == QDialog::Accepted;
    return confirmed ? box.Text().toStdString() : std::string();
}

void ScreenDialogues::ShowMessage(const std::string& prompt, const std::string& title) {
    MessageBox box(owner_, prompt, Shown(title));
    box.exec();
}
