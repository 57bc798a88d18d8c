#include "evaluation/sweep.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "evaluation/abscissas.h"
#include "evaluation/formulas.h"
#include "evaluation/vectorstate.h"
#include "numtext/arithmeticfault.h"
#include "numtext/formatnumber.h"
#include "numtext/readnumber.h"

namespace {

constexpr char kChoicePrompt[] =
    "Вычислить S=-(2x)^2/2+(2x)^4/24+...+(-1)^n*(2x)^2n/(2n)! - Да\r\n"
    "или 2((cos(x))^2-1) --- Нет";
constexpr char kChoiceTitle[] = "Выбор функции";
constexpr char kInputTitle[] = "Ввод начальных значений";
constexpr char kStartPrompt[] = "Введите начальное значение Х";  // Cyrillic Ha
constexpr char kEndPrompt[] = "Введите конечное значение Х";
constexpr char kStepPrompt[] = "Введите шаг";
constexpr char kPrecisionPrompt[] = "Введите точность вычисления функции";
constexpr char kStartDefault[] = "0.1";
constexpr char kEndDefault[] = "1";
constexpr char kStepDefault[] = ".1";

constexpr NumberPattern kAbscissaPattern("0.0########");
constexpr NumberPattern kSeriesValuePattern("0.############");
constexpr NumberPattern kClosedFormValuePattern("0.###");
constexpr NumberPattern kPrecisionPattern("#.############");
constexpr NumberPattern kWholePattern("0");

// Longest closed-form value text: "-1.234".
constexpr size_t kClosedFormValueWidth = 6;
// Value text of a series within a few units of zero: "-1.416146651702".
constexpr size_t kSeriesValueWidth = 15;
// "(", ";", ")", CR and LF.
constexpr size_t kLineFrameWidth = 5;

// An upper bound of the text length of the extent's lines, unless a series
// value takes more than its usual width.
size_t TextLengthBound(const SweepExtent& extent, bool anyNegativeX, FormulaChoice choice) {
    const size_t xWidth = (anyNegativeX ? 1 : 0) +
                          FormatNumber(extent.widestX, kWholePattern).size() + 1 +
                          static_cast<size_t>(kAbscissaPattern.Decimals());
    const size_t yWidth =
        choice == FormulaChoice::Series ? kSeriesValueWidth : kClosedFormValueWidth;
    return static_cast<size_t>(extent.lines) * (xWidth + yWidth + kLineFrameWidth);
}

// Why a range cannot be swept, or RunReason::None when it can.
RunReason RangeRefusal(const RunRecipe& recipe, const SweepExtent& extent, size_t textBound,
                       const RunLimits& limits) {
    if (recipe.step == 0 && recipe.start <= recipe.bound) {
        return RunReason::ZeroStep;
    }
    if (extent.lines > limits.lines) {
        return RunReason::TooManyLines;
    }
    if (textBound > limits.textBytes) {
        return RunReason::TooMuchText;
    }
    return RunReason::None;
}

// A refused run keeps no line and gives back the room an earlier run's took.
RunOutcome Refuse(SweepState& state, RunRecord& record, RunReason reason) {
    std::string().swap(state.CoordinatesText);
    record.ReleaseLines();
    return {RunStatus::Refused, reason, std::nullopt};
}

// Room for the text of a sweep: what is kept, unless it is more than twice that.
void ReserveText(std::string& text, size_t bytes) {
    if (text.capacity() / 2 > bytes) {
        std::string().swap(text);
    }
    text.reserve(bytes);
}

double AskNumber(DialogueService& dialogues, const char* prompt, const std::string& defaultText) {
    return ReadNumber(dialogues.AskText(prompt, kInputTitle, defaultText));
}

// Counts an abscissa whose series is not proved within the precision, and why.
void TallyNotGuaranteed(PrecisionWarning& tally, double x, const SeriesResult& value) {
    if (tally.count++ == 0) {
        tally.firstX = x;
    }
    tally.lastX = x;
    const std::optional<double> truncation = TruncationBound(x, value.TermIndex, value.Term);
    if (!truncation) {
        ++tally.stillGrowing;
        return;
    }
    tally.largestBound = std::max(tally.largestBound, value.RoundingBound + *truncation);
}

// y at state.CurrentX as a run of `choice` computes it, also kept in the
// state's fields; a closed-form value in Sum alone.
SeriesResult EvaluateLine(SweepState& state, FormulaChoice choice) {
    SeriesResult value;
    if (choice == FormulaChoice::ClosedForm) {
        value.Sum = state.Sum = ClosedFormValue(state.CurrentX);
        return value;
    }
    value = SeriesValue(state.CurrentX, state.Precision);
    state.Sum = value.Sum;
    state.TermIndex = value.TermIndex;
    state.Term = value.Term;
    return value;
}

// Keeps a line that made it into the text in the record, counting where the
// series' precision is not guaranteed.
void RecordLine(RunRecord& record, PrecisionWarning& warning, double x, const SeriesResult& value) {
    if (record.IsSeries()) {
        const bool guaranteed = IsGuaranteed(x, value, record.recipe.precision);
        record.AddSeriesLine(x, value, guaranteed);
        if (!guaranteed) {
            TallyNotGuaranteed(warning, x, value);
        }
    } else {
        record.AddClosedFormLine(x, value.Sum);
    }
}

// Visits the recipe's abscissas while the sweep continues, appending a line
// for each. Stops when the step no longer moves x or the text would pass its
// limit.
RunOutcome Sweep(SweepState& state, RunRecord& record, size_t maxTextBytes,
                 const SlowSweepNotice& slow) {
    const FormulaChoice choice = record.recipe.choice;
    std::string& text = state.CoordinatesText;
    PrecisionWarning warning;
    RunOutcome outcome;
    const auto started = std::chrono::steady_clock::now();
    bool toldSlow = !slow.tell;
    size_t lines = 0;
    ClearUpperVectorState();  // whatever ran before, the loop's pow and cos run at full speed
    for (SweepAbscissas walk(state.StartX, state.EndX, record.recipe.step);;) {
        state.CurrentX = walk.Current();
        if (!walk.InRange()) {
            break;
        }
        if (!toldSlow && ++lines % SlowSweepNotice::kLinesPerLook == 0 &&
            std::chrono::steady_clock::now() - started >= slow.after) {
            toldSlow = true;
            slow.tell();
            ClearUpperVectorState();  // the front end may have drawn
        }
        const SeriesResult value = EvaluateLine(state, choice);
        const size_t lineStart = text.size();
        AppendCoordinateLine(state, choice);
        if (text.size() > maxTextBytes) {
            text.resize(lineStart);
            outcome = {RunStatus::Stopped, RunReason::TextLimitReached, std::nullopt};
            break;
        }
        RecordLine(record, warning, state.CurrentX, value);
        const SweepAbscissas::Step step = walk.Advance();
        if (step == SweepAbscissas::Step::Overflowed) {
            throw ArithmeticFault(FaultKind::Overflow, FaultOperation::Addition);
        }
        if (step == SweepAbscissas::Step::Stuck) {
            outcome = {RunStatus::Stopped, RunReason::StepTooSmall, std::nullopt};
            break;
        }
    }
    if (warning.count > 0) {
        outcome.warning = warning;
    }
    return outcome;
}

}  // namespace

std::string DefaultPrecisionText() {
    return FormatNumber(std::pow(15.0, -4.0), kPrecisionPattern);  // base 15, not 10
}

void AppendAbscissaText(std::string& out, double x) {
    AppendFormattedNumber(out, x, kAbscissaPattern);
}

void AppendValueText(std::string& out, double y, FormulaChoice choice) {
    AppendFormattedNumber(
        out, y, choice == FormulaChoice::Series ? kSeriesValuePattern : kClosedFormValuePattern);
}

void AppendCoordinateLine(SweepState& state, FormulaChoice choice) {
    std::string& text = state.CoordinatesText;
    text.push_back('(');
    AppendAbscissaText(text, state.CurrentX);
    text.push_back(';');
    AppendValueText(text, state.Sum, choice);
    text.append(")\r\n");
}

RunOutcome RunDataEntry(SweepState& state, DialogueService& dialogues, RunRecord& record,
                        const RunLimits& limits, const SlowSweepNotice& slow) {
    // Emptied at once; the room stays for a sweep of about the same size.
    state.CoordinatesText.clear();
    record.ClearLines();
    RunRecipe& recipe = record.recipe;
    recipe = {};
    recipe.choice = dialogues.AskYesNo(kChoicePrompt, kChoiceTitle) == Answer::Yes
                        ? FormulaChoice::Series
                        : FormulaChoice::ClosedForm;
    recipe.start = state.StartX = AskNumber(dialogues, kStartPrompt, kStartDefault);
    recipe.bound = state.EndX = AskNumber(dialogues, kEndPrompt, kEndDefault);
    recipe.step = AskNumber(dialogues, kStepPrompt, kStepDefault);

    const SweepExtent extent =
        SweepForesight(recipe.start, recipe.bound, recipe.step, limits.lines);
    const bool anyNegativeX = recipe.start < 0 || recipe.bound < 0;
    const size_t textBound = TextLengthBound(extent, anyNegativeX, recipe.choice);
    if (const RunReason refusal = RangeRefusal(recipe, extent, textBound, limits);
        refusal != RunReason::None) {
        return Refuse(state, record, refusal);
    }
    if (recipe.choice == FormulaChoice::Series) {
        recipe.precision = state.Precision =
            AskNumber(dialogues, kPrecisionPrompt, DefaultPrecisionText());
        if (!(state.Precision > 0)) {
            return Refuse(state, record, RunReason::PrecisionNotPositive);
        }
    }
    ReserveText(state.CoordinatesText, std::min(textBound, limits.textBytes));
    record.Reserve(static_cast<size_t>(extent.lines));
    return Sweep(state, record, limits.textBytes, slow);
}
