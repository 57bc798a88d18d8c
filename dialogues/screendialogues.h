#pragma once

#include "evaluation/dialogueservice.h"

class QWidget;

// The run's dialogues on screen, each modal to the owner window: a Yes/No
// box with no other way out, an input box and a message box. All wording is
// Russian; CR LF in a text starts a new line and texts are never read as markup.
class ScreenDialogues : public DialogueService {
public:
    explicit ScreenDialogues(QWidget* owner) : owner_(owner) {}

    Answer AskYesNo(const std::string& prompt, const std::string& title) override;
    std::string AskText(const std::string& prompt, const std::string& title,
                        const std::string& defaultText) override;
    void ShowMessage(const std::string& prompt, const std::string& title) override;

private:
    QWidget* owner_;
};
