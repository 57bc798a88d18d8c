#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "evaluation/dialogueservice.h"
#include "evaluation/tabulation.h"

// One dialogue as the run opened it.
struct DialogueCall {
    enum class Kind { YesNo, Text, Message };
    Kind kind;
    std::string prompt;
    std::string title;
    std::string defaultText;  // AskText only

    bool operator==(const DialogueCall&) const = default;
};

// A DialogueService that answers from a script and records every dialogue,
// in order, for the caller to compare. Each AskText takes the next reply;
// std::nullopt confirms the default text, as pressing OK would. A prompt
// beyond the script is answered with empty text (a cancel) and counted.
class ScriptedDialogues : public DialogueService {
public:
    ScriptedDialogues(Answer choice, std::vector<std::optional<std::string>> replies)
        : choice_(choice), replies_(std::move(replies)) {}

    Answer AskYesNo(const std::string& prompt, const std::string& title) override {
        calls.push_back({DialogueCall::Kind::YesNo, prompt, title, {}});
        return choice_;
    }

    std::string AskText(const std::string& prompt, const std::string& title,
                        const std::string& defaultText) override {
        calls.push_back({DialogueCall::Kind::Text, prompt, title, defaultText});
        if (nextReply_ >= replies_.size()) {
            ++unscriptedPrompts;
            return {};
        }
        const std::optional<std::string>& reply = replies_[nextReply_++];
        return reply ? *reply : defaultText;
    }

    void ShowMessage(const std::string& prompt, const std::string& title) override {
        calls.push_back({DialogueCall::Kind::Message, prompt, title, {}});
    }

    std::vector<DialogueCall> calls;
    int unscriptedPrompts = 0;

private:
    Answer choice_;
    std::vector<std::optional<std::string>> replies_;
    size_t nextReply_ = 0;
};

// A whole data-entry run, its dialogues answered from the script (arithmetic
// faults pass through).
inline Tabulation RunScripted(Answer choice, std::vector<std::optional<std::string>> replies) {
    Tabulation run;
    ScriptedDialogues dialogues(choice, std::move(replies));
    EnterRun(run, dialogues);
    return run;
}
