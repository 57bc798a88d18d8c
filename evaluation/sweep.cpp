#include "evaluation/sweep.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "evaluation/checkedmath.h"
#include "evaluation/formulas.h"
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

constexpr std::string_view kAbscissaPattern = "0.0########";
constexpr std::string_view kSeriesValuePattern = "0.############";
constexpr std::string_view kClosedFormValuePattern = "0.###";
constexpr std::string_view kPrecisionPattern = "#.############";

constexpr char kRefusalTitle[] = "Недопустимые данные";
constexpr char kZeroStepMessage[] =
    "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n"
    "Введите шаг, отличный от нуля.";
constexpr char kTooManyLinesMessage[] =
    "Слишком много точек: с таким шагом на этом отрезке получится больше "
    "1\u00a0000\u00a0000 строк, а допустимо не более 1\u00a0000\u00a0000.\r\n"
    "Увеличьте шаг или сократите отрезок.";
constexpr char kPrecisionMessage[] =
    "Точность должна быть больше нуля: иначе члены ряда никогда не станут "
    "достаточно малыми.\r\nВведите положительное число.";
constexpr char kStoppedTitle[] = "Вычисление остановлено";

// Longest closed-form value text: "-1.234".
constexpr size_t kClosedFormValueWidth = 6;
// Value text of a series within a few units of zero: "-1.416146651702".
constexpr size_t kSeriesValueWidth = 15;

// Whether the sweep visits x: up to the bound for a nonnegative step, down to
// it for a negative one.
bool SweepContinues(double x, double bound, double step) {
    return step >= 0 ? x <= bound : x >= bound;
}

// Where the sweep will go, found by running its abscissas alone.
struct SweepExtent {
    std::int64_t lines = 0;  // counted no further than kMaxCoordinateLines + 1
    double widestX = 0.0;    // the abscissa of largest magnitude
};

// Runs the abscissas as the sweep will, without evaluating or faulting; stops
// where adding the step no longer moves x or leaves the real range, as the
// sweep itself does.
SweepExtent MeasureSweep(double start, double bound, double step) {
    SweepExtent extent;
    for (double x = start; SweepContinues(x, bound, step);) {
        extent.widestX = std::max(extent.widestX, std::fabs(x));
        const double next = x + step;
        if (++extent.lines > kMaxCoordinateLines || next == x || !std::isfinite(next)) {
            break;
        }
        x = next;
    }
    return extent;
}

// An upper bound of the text length of the extent's lines, unless a series
// value takes more than its usual width.
size_t TextLengthBound(const SweepExtent& extent, bool anyNegativeX, FormulaChoice choice) {
    const size_t xWidth = (anyNegativeX ? 1 : 0) + FormatNumber(extent.widestX, "0").size() +
                          kAbscissaPattern.size() - 1;
    const size_t yWidth =
        choice == FormulaChoice::Series ? kSeriesValueWidth : kClosedFormValueWidth;
    const size_t lineWidth = xWidth + yWidth + std::string_view("(;)\r\n").size();
    return static_cast<size_t>(extent.lines) * lineWidth;
}

// The reason a range cannot be swept, or nullptr when it can.
const char* RangeRefusal(double start, double bound, double step, const SweepExtent& extent) {
    if (step == 0 && start <= bound) {
        return kZeroStepMessage;
    }
    if (extent.lines > kMaxCoordinateLines) {
        return kTooManyLinesMessage;
    }
    return nullptr;
}

double AskNumber(DialogueService& dialogues, const char* prompt, const std::string& defaultText) {
    return ReadNumber(dialogues.AskText(prompt, kInputTitle, defaultText));
}

std::string StuckMessage(double x, size_t lineCount) {
    return "Шаг слишком мал: при Х = " + FormatNumber(x, kAbscissaPattern) +
           " прибавление шага уже не меняет Х, и перебор не закончится.\r\n" +
           "Получено точек: " + std::to_string(lineCount) + ".";
}

// Sets Sum (and, for the series, TermIndex and Term) for state.CurrentX.
void Evaluate(SweepState& state, FormulaChoice choice) {
    if (choice == FormulaChoice::ClosedForm) {
        state.Sum = ClosedFormValue(state.CurrentX);
        return;
    }
    const SeriesResult series = SeriesValue(state.CurrentX, state.Precision);
    state.Sum = series.Sum;
    state.TermIndex = series.TermIndex;
    state.Term = series.Term;
}

// Visits StartX and its running sums with `step` while the sweep continues,
// appending a line for each. Tells the user, and stops, when the step no
// longer moves x.
void Sweep(SweepState& state, FormulaChoice choice, double step, DialogueService& dialogues) {
    const double bound = state.EndX;
    size_t lineCount = 0;
    for (state.CurrentX = state.StartX; SweepContinues(state.CurrentX, bound, step);) {
        Evaluate(state, choice);
        AppendCoordinateLine(state, choice);
        ++lineCount;
        const double next = CheckedAdd(state.CurrentX, step);
        if (next == state.CurrentX) {
            dialogues.ShowMessage(StuckMessage(state.CurrentX, lineCount), kStoppedTitle);
            return;
        }
        state.CurrentX = next;
    }
}

}  // namespace

void AppendCoordinateLine(SweepState& state, FormulaChoice choice) {
    std::string& text = state.CoordinatesText;
    text.push_back('(');
    AppendFormattedNumber(text, state.CurrentX, kAbscissaPattern);
    text.push_back(';');
    AppendFormattedNumber(
        text, state.Sum,
        choice == FormulaChoice::Series ? kSeriesValuePattern : kClosedFormValuePattern);
    text.append(")\r\n");
}

void RunDataEntry(SweepState& state, DialogueService& dialogues) {
    std::string().swap(state.CoordinatesText);  // also gives back a large earlier text's memory
    const FormulaChoice choice = dialogues.AskYesNo(kChoicePrompt, kChoiceTitle) == Answer::Yes
                                     ? FormulaChoice::Series
                                     : FormulaChoice::ClosedForm;
    state.StartX = AskNumber(dialogues, kStartPrompt, kStartDefault);
    state.EndX = AskNumber(dialogues, kEndPrompt, kEndDefault);
    const double step = AskNumber(dialogues, kStepPrompt, kStepDefault);

    const SweepExtent extent = MeasureSweep(state.StartX, state.EndX, step);
    if (const char* refusal = RangeRefusal(state.StartX, state.EndX, step, extent)) {
        dialogues.ShowMessage(refusal, kRefusalTitle);
        return;
    }
    if (choice == FormulaChoice::Series) {
        const std::string precisionDefault =
            FormatNumber(std::pow(15.0, -4.0), kPrecisionPattern);  // base 15, not 10
        state.Precision = AskNumber(dialogues, kPrecisionPrompt, precisionDefault);
        if (!(state.Precision > 0)) {
            dialogues.ShowMessage(kPrecisionMessage, kRefusalTitle);
            return;
        }
    }
    const bool anyNegativeX = state.StartX < 0 || state.EndX < 0;
    state.CoordinatesText.reserve(TextLengthBound(extent, anyNegativeX, choice));
    Sweep(state, choice, step, dialogues);
}
