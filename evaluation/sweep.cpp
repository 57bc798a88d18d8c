#include "evaluation/sweep.h"

#include <algorithm>
#include <charconv>
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

constexpr NumberPattern kAbscissaPattern("0.0########");
constexpr NumberPattern kSeriesValuePattern("0.############");
constexpr NumberPattern kClosedFormValuePattern("0.###");
constexpr NumberPattern kPrecisionPattern("#.############");
constexpr NumberPattern kWholePattern("0");

constexpr char kRefusalTitle[] = "Недопустимые данные";
constexpr char kStoppedTitle[] = "Вычисление остановлено";
constexpr char kWarningTitle[] = "Точность не гарантирована";
constexpr char kShorterRangeAdvice[] =
    "Нажмите «Ввод данных» и увеличьте шаг или сократите отрезок.";
constexpr char kLargerStepAdvice[] = "Нажмите «Ввод данных» и увеличьте шаг.";

// Longest closed-form value text: "-1.234".
constexpr size_t kClosedFormValueWidth = 6;
// Value text of a series within a few units of zero: "-1.416146651702".
constexpr size_t kSeriesValueWidth = 15;
// "(", ";", ")", CR and LF.
constexpr size_t kLineFrameWidth = 5;

// A count with its digits in groups of three: 1000000 -> "1 000 000", the
// blanks no-break spaces.
std::string GroupedCount(std::uint64_t count) {
    std::string digits = std::to_string(count);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<size_t>(at), "\u00a0");
    }
    return digits;
}

// A size in whole mebibytes where it is one, else in bytes: "64 МиБ".
std::string SizeText(size_t bytes) {
    constexpr size_t kMebibyte = size_t{1} << 20;
    return bytes % kMebibyte == 0 ? GroupedCount(bytes / kMebibyte) + "\u00a0МиБ"
                                  : GroupedCount(bytes) + "\u00a0байт";
}

std::string RefusalMessage(RunReason reason, const RunLimits& limits) {
    const std::string lines = GroupedCount(static_cast<std::uint64_t>(limits.lines));
    switch (reason) {
        case RunReason::ZeroStep:
            return "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n"
                   "Нажмите «Ввод данных» и введите шаг, отличный от нуля.";
        case RunReason::TooManyLines:
            return "Слишком много точек: с таким шагом на этом отрезке получится больше " + lines +
                   " строк, а допустимо не более " + lines + ".\r\n" + kShorterRangeAdvice;
        case RunReason::TooMuchText:
            return "Слишком длинный текст координат: с таким шагом на этом отрезке он займёт "
                   "больше " +
                   SizeText(limits.textBytes) + ". Допустимо не более " + lines +
                   " строк и не более " + SizeText(limits.textBytes) + " текста.\r\n" +
                   kShorterRangeAdvice;
        default:
            return "Точность должна быть больше нуля: иначе члены ряда никогда не станут "
                   "достаточно малыми.\r\nНажмите «Ввод данных» и введите положительную "
                   "точность.";
    }
}

// Whether the sweep visits x: up to the bound for a nonnegative step, down to
// it for a negative one.
bool SweepContinues(double x, double bound, double step) {
    return step >= 0 ? x <= bound : x >= bound;
}

// Where the sweep will go, found by running its abscissas alone.
struct SweepExtent {
    std::int64_t lines = 0;  // counted no further than the line limit + 1
    double widestX = 0.0;    // the abscissa of largest magnitude
};

// Runs the abscissas as the sweep will, without evaluating or faulting; stops
// past `maxLines` or where adding the step no longer moves x or leaves the
// real range, as the sweep itself does.
SweepExtent MeasureSweep(double start, double bound, double step, std::int64_t maxLines) {
    SweepExtent extent;
    for (double x = start; SweepContinues(x, bound, step);) {
        extent.widestX = std::max(extent.widestX, std::fabs(x));
        const double next = x + step;
        if (++extent.lines > maxLines || next == x || !std::isfinite(next)) {
            break;
        }
        x = next;
    }
    return extent;
}

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
RunReason RangeRefusal(const SweepState& state, const SweepExtent& extent, size_t textBound,
                       const RunLimits& limits) {
    if (state.StepX == 0 && state.StartX <= state.EndX) {
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

RunOutcome Refuse(DialogueService& dialogues, RunReason reason, const RunLimits& limits) {
    dialogues.ShowMessage(RefusalMessage(reason, limits), kRefusalTitle);
    return {RunStatus::Refused, reason, std::nullopt};
}

double AskNumber(DialogueService& dialogues, const char* prompt, const std::string& defaultText) {
    return ReadNumber(dialogues.AskText(prompt, kInputTitle, defaultText));
}

std::string LinesKeptNote(size_t lineCount) {
    return "Получено точек: " + std::to_string(lineCount) + "; они сохранены.\r\n";
}

RunOutcome StopStuck(DialogueService& dialogues, double x, size_t lineCount) {
    dialogues.ShowMessage("Шаг слишком мал: при Х = " + FormatNumber(x, kAbscissaPattern) +
                              " прибавление шага уже не меняет Х, и перебор не закончится.\r\n" +
                              LinesKeptNote(lineCount) + kLargerStepAdvice,
                          kStoppedTitle);
    return {RunStatus::Stopped, RunReason::StepTooSmall, std::nullopt};
}

RunOutcome StopAtTextLimit(DialogueService& dialogues, size_t lineCount, size_t textBytes) {
    dialogues.ShowMessage("Текст координат достиг предела в " + SizeText(textBytes) +
                              ": значения ряда оказались длиннее ожидаемого.\r\n" +
                              LinesKeptNote(lineCount) + kShorterRangeAdvice,
                          kStoppedTitle);
    return {RunStatus::Stopped, RunReason::TextLimitReached, std::nullopt};
}

// "в 1 точке", "в 2 точках", "в 21 точке", "в 11 точках".
std::string AtPoints(std::int64_t count) {
    const bool singular = count % 10 == 1 && count % 100 != 11;
    return "в " + std::to_string(count) + (singular ? " точке" : " точках");
}

// A positive real with two significant digits: "7.5e-04".
std::string RoughNumber(double value) {
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 1);
    return {buffer, written.ptr};
}

std::string WarningMessage(const RoundingWarning& warning, double precision, size_t lineCount) {
    std::string where = warning.count == 1
                            ? "при Х = " + FormatNumber(warning.firstX, kAbscissaPattern)
                            : "при Х от " + FormatNumber(warning.firstX, kAbscissaPattern) +
                                  " до " + FormatNumber(warning.lastX, kAbscissaPattern);
    std::string precisionText;
    AppendShortestNumber(precisionText, precision);
    return "Ошибка округления ряда может превышать заданную точность " + precisionText + " " +
           AtPoints(warning.count) + " из " + std::to_string(lineCount) + ", " + where +
           "; наибольшая её оценка — " + RoughNumber(warning.largestBound) +
           ".\r\nПри больших |Х| члены ряда очень велики и при сложении почти уничтожают друг "
           "друга, поэтому от их ошибок округления сумма не избавляется.\r\nЗначения оставлены "
           "как вычислены. Надёжные значения даёт формула 2((cos(x))^2-1): нажмите «Ввод "
           "данных» и ответьте «Нет».";
}

// Counts the abscissas whose series rounding may exceed the precision.
void TallyRounding(RoundingWarning& tally, double x, double roundingBound, double precision) {
    if (!(roundingBound > precision)) {
        return;
    }
    if (tally.count++ == 0) {
        tally.firstX = x;
    }
    tally.lastX = x;
    tally.largestBound = std::max(tally.largestBound, roundingBound);
}

// Visits StartX and its running sums with the step while the sweep continues,
// appending a line for each and counting the lines and the series' rounding
// warnings. Stops, telling the user, when the step no longer moves x or the
// text would pass its limit.
RunOutcome Sweep(SweepState& state, DialogueService& dialogues, size_t maxTextBytes,
                 size_t& lineCount, RoundingWarning& rounding) {
    const double bound = state.EndX;
    const double step = state.StepX;
    std::string& text = state.CoordinatesText;
    for (state.CurrentX = state.StartX; SweepContinues(state.CurrentX, bound, step);) {
        const SeriesResult value = EvaluateAt(state.CurrentX, state.Choice, state.Precision);
        state.Sum = value.Sum;
        if (state.Choice == FormulaChoice::Series) {
            state.TermIndex = value.TermIndex;
            state.Term = value.Term;
            TallyRounding(rounding, state.CurrentX, value.RoundingBound, state.Precision);
        }
        const size_t lineStart = text.size();
        AppendCoordinateLine(state, state.Choice);
        if (text.size() > maxTextBytes) {
            text.resize(lineStart);
            return StopAtTextLimit(dialogues, lineCount, maxTextBytes);
        }
        ++lineCount;
        const double next = CheckedAdd(state.CurrentX, step);
        if (next == state.CurrentX) {
            return StopStuck(dialogues, state.CurrentX, lineCount);
        }
        state.CurrentX = next;
    }
    return {};
}

}  // namespace

SeriesResult EvaluateAt(double x, FormulaChoice choice, double precision) {
    if (choice == FormulaChoice::Series) {
        return SeriesValue(x, precision);
    }
    SeriesResult value;
    value.Sum = ClosedFormValue(x);
    return value;
}

std::vector<double> RunAbscissas(const SweepState& state, size_t count) {
    std::vector<double> abscissas;
    abscissas.reserve(count);
    for (double x = state.StartX;
         abscissas.size() < count && SweepContinues(x, state.EndX, state.StepX);
         x += state.StepX) {
        abscissas.push_back(x);
    }
    return abscissas;
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

RunOutcome RunDataEntry(SweepState& state, DialogueService& dialogues, const RunLimits& limits) {
    std::string().swap(state.CoordinatesText);  // also gives back a large earlier text's memory
    state.Choice = dialogues.AskYesNo(kChoicePrompt, kChoiceTitle) == Answer::Yes
                       ? FormulaChoice::Series
                       : FormulaChoice::ClosedForm;
    state.StartX = AskNumber(dialogues, kStartPrompt, kStartDefault);
    state.EndX = AskNumber(dialogues, kEndPrompt, kEndDefault);
    state.StepX = AskNumber(dialogues, kStepPrompt, kStepDefault);

    const SweepExtent extent = MeasureSweep(state.StartX, state.EndX, state.StepX, limits.lines);
    const bool anyNegativeX = state.StartX < 0 || state.EndX < 0;
    const size_t textBound = TextLengthBound(extent, anyNegativeX, state.Choice);
    if (const RunReason refusal = RangeRefusal(state, extent, textBound, limits);
        refusal != RunReason::None) {
        return Refuse(dialogues, refusal, limits);
    }
    if (state.Choice == FormulaChoice::Series) {
        const std::string precisionDefault =
            FormatNumber(std::pow(15.0, -4.0), kPrecisionPattern);  // base 15, not 10
        state.Precision = AskNumber(dialogues, kPrecisionPrompt, precisionDefault);
        if (!(state.Precision > 0)) {
            return Refuse(dialogues, RunReason::PrecisionNotPositive, limits);
        }
    }
    state.CoordinatesText.reserve(std::min(textBound, limits.textBytes));
    size_t lineCount = 0;
    RoundingWarning rounding;
    RunOutcome outcome = Sweep(state, dialogues, limits.textBytes, lineCount, rounding);
    if (rounding.count > 0) {
        dialogues.ShowMessage(WarningMessage(rounding, state.Precision, lineCount),
                              kWarningTitle);
        outcome.warning = rounding;
    }
    return outcome;
}
