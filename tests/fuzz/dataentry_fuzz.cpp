// A whole data-entry run answered from the fuzz input: the first byte chooses
// the series (odd) or the closed form (even); the rest, split at line feeds,
// gives the texts typed at the prompts in order (missing ones are cancelled).
// Every run ends completed, refused, stopped or with an arithmetic fault,
// within the line and text limits, with a message exactly when it ends
// early, and every line of the text has the exact "(x;y)" CR LF shape.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"
#include "fuzzcheck.h"
#include "fuzzscript.h"
#include "messages/runmessages.h"
#include "numtext/arithmeticfault.h"
#include "support/scripteddialogues.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether `text` is "-"? digits ("." digits)? with between `minDecimals` and
// `maxDecimals` decimals and no "-" before a zero value.
bool IsNumber(std::string_view text, int minDecimals, int maxDecimals) {
    const bool negative = !text.empty() && text.front() == '-';
    std::string_view body = negative ? text.substr(1) : text;
    const size_t point = body.find('.');
    const std::string_view whole = body.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && decimals.empty())) {
        return false;
    }
    for (char c : whole) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    for (char c : decimals) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    const auto count = static_cast<int>(decimals.size());
    return count >= minDecimals && count <= maxDecimals &&
           (!negative || body.find_first_not_of("0.") != std::string_view::npos);
}

// Checks every line of the text and returns how many there are.
size_t CheckLines(std::string_view text, FormulaChoice choice) {
    size_t lines = 0;
    while (!text.empty()) {
        const size_t end = text.find("\r\n");
        Require(end != std::string_view::npos, "every line ends in CR LF");
        const std::string_view line = text.substr(0, end);
        const size_t separator = line.find(';');
        Require(line.size() >= 5 && line.front() == '(' && line.back() == ')' &&
                    separator != std::string_view::npos,
                "(x;y) shape: " + std::string(line));
        const std::string_view x = line.substr(1, separator - 1);
        const std::string_view y = line.substr(separator + 1, line.size() - separator - 2);
        Require(IsNumber(x, 1, 9), "abscissa by 0.0########: " + std::string(line));
        if (choice == FormulaChoice::Series) {
            Require(IsNumber(y, 0, 12), "series value by 0.############: " + std::string(line));
        } else {
            Require(IsNumber(y, 0, 3), "closed-form value by 0.###: " + std::string(line));
            const double value = std::strtod(std::string(y).c_str(), nullptr);
            Require(value >= -2 && value <= 0, "closed form within [-2, 0]: " + std::string(line));
        }
        text.remove_prefix(end + 2);
        ++lines;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const FuzzScript script = ReadFuzzScript(data, size);
    const Answer choice = script.choice;
    SweepState state;
    RunRecord record;
    ScriptedDialogues dialogues(script.choice, script.replies);
    std::optional<RunOutcome> outcome;  // none after a fault
    try {
        outcome = RunDataEntry(state, dialogues, record);
        TellOutcome(dialogues, *outcome, record);
    } catch (const ArithmeticFault&) {
    }
    const FormulaChoice formula =
        choice == Answer::Yes ? FormulaChoice::Series : FormulaChoice::ClosedForm;
    const size_t lines = CheckLines(state.CoordinatesText, formula);
    Require(lines <= static_cast<size_t>(kMaxCoordinateLines), "within the line limit");
    Require(record.LineCount() == lines, "a record line for every text line");

    const auto& calls = dialogues.calls;
    const bool endedWithMessage = calls.back().kind == DialogueCall::Kind::Message;
    Require(calls.front().kind == DialogueCall::Kind::YesNo, "the choice comes first");
    Require(outcome || !endedWithMessage, "no dialogue after a fault");
    Require(state.CoordinatesText.size() <= kMaxCoordinatesTextBytes, "within the text limit");
    if (outcome) {
        const bool completed = outcome->status == RunStatus::Completed;
        Require(completed == (outcome->reason == RunReason::None), "a reason for every early end");
        Require(endedWithMessage == (!completed || outcome->warning.has_value()),
                "a message for every early end or rounding warning, none otherwise");
        Require(!outcome->warning || (choice == Answer::Yes && lines > 0),
                "rounding warnings for series lines only");
    }
    if (outcome && outcome->status == RunStatus::Completed) {
        const size_t prompts = choice == Answer::Yes ? 4 : 3;
        const size_t warnings = outcome->warning ? 1 : 0;
        Require(calls.size() == 1 + prompts + warnings, "a finished run asked every prompt");
    }
    if (outcome && outcome->status == RunStatus::Refused) {
        Require(lines == 0, "a refusal makes no line");
    }
    return 0;
}
