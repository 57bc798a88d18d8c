#pragma once

#include <string>

// The button the user pressed in a Yes/No dialogue.
enum class Answer { Yes, No };

// The modal dialogues a data-entry run talks to the user through. Texts are
// UTF-8; a line break inside them is CR LF. Each call returns only when the
// user has closed the dialogue.
class DialogueService {
public:
    virtual ~DialogueService() = default;

    // A question with "Yes" and "No" and no other way out.
    virtual Answer AskYesNo(const std::string& prompt, const std::string& title) = 0;

    // The text in the input field when the user confirmed; empty text when the
    // user cancelled or closed the dialogue.
    virtual std::string AskText(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) = 0;

    // A message with a single OK button.
    virtual void ShowMessage(const std::string& prompt, const std::string& title) = 0;
};
