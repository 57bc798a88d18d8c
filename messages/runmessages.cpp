#include "messages/runmessages.h"

#include <charconv>
#include <cstdint>

#include "numtext/arithmeticfault.h"
#include "numtext/formatnumber.h"
#include "textout/shorttext.h"

const char kRefusalTitle[] = "Недопустимые данные";
const char kStoppedTitle[] = "Вычисление остановлено";
const char kWarningTitle[] = "Точность не гарантирована";
const char kFaultTitle[] = "Ошибка вычисления";
const char kOutOfMemoryMessage[] = "Не хватило памяти для таблицы точек.";

namespace {

// What to do next, in the words of where it is read: a button of the
// window, or the options of the command line.
struct Advice {
    const char* window;
    const char* commandLine;
    std::string In(ReadIn place) const { return place == ReadIn::Window ? window : commandLine; }
};

constexpr Advice kShorterRangeAdvice = {
    "Нажмите «Ввод данных» и увеличьте шаг или сократите отрезок.",
    "Запустите снова с большим --step или с более коротким отрезком (--start, --end)."};
constexpr Advice kLargerStepAdvice = {"Нажмите «Ввод данных» и увеличьте шаг.",
                                      "Запустите снова с большим --step."};
constexpr Advice kNonZeroStepAdvice = {"Нажмите «Ввод данных» и введите шаг, отличный от нуля.",
                                       "Запустите снова с --step, отличным от нуля."};
constexpr Advice kPositivePrecisionAdvice = {
    "Нажмите «Ввод данных» и введите положительную точность.",
    "Запустите снова с положительной --precision."};
constexpr Advice kSmallerPrecisionAdvice = {"Нажмите «Ввод данных» и задайте меньшую точность.",
                                            "Запустите снова с меньшей --precision."};
constexpr Advice kPrecisionOrFormulaAdvice = {
    "Нажмите «Ввод данных» и задайте меньшую точность или ответьте «Нет»: надёжные значения "
    "даёт формула 2((cos(x))^2-1).",
    "Запустите снова с меньшей --precision или с --closed-form: надёжные значения даёт формула "
    "2((cos(x))^2-1)."};
constexpr Advice kFormulaAdvice = {
    "Надёжные значения даёт формула 2((cos(x))^2-1): нажмите «Ввод данных» и ответьте «Нет».",
    "Надёжные значения даёт формула 2((cos(x))^2-1): запустите снова с --closed-form."};
constexpr Advice kSmallerNumberAdvice = {
    "Нажмите «Ввод данных» и введите число, меньшее по модулю.",
    "Запустите снова с числами, меньшими по модулю (--start, --end, --step, --precision)."};
constexpr Advice kShorterSweepAdvice = {
    "Х вышел за пределы чисел. Нажмите «Ввод данных» и возьмите начало, конец и шаг меньше по "
    "модулю.",
    "Х вышел за пределы чисел. Запустите снова с меньшими по модулю --start, --end и --step."};
constexpr Advice kSeriesOverflowAdvice = {
    "Члены ряда при таком |Х| слишком велики. Нажмите «Ввод данных» и возьмите меньший |Х| "
    "(сократите отрезок) или большую точность, чтобы ряд останавливался раньше, или ответьте "
    "«Нет»: формула 2((cos(x))^2-1) не переполняется.",
    "Члены ряда при таком |Х| слишком велики. Запустите снова с меньшим |Х| (--start, --end) "
    "или с большей --precision, чтобы ряд останавливался раньше, или с --closed-form: формула "
    "2((cos(x))^2-1) не переполняется."};
constexpr Advice kOtherValuesAdvice = {"Нажмите «Ввод данных» и измените введённые значения.",
                                       "Запустите снова с другими --start, --end, --step или "
                                       "--precision."};
constexpr char kFaultHeading[] = "Вычисление прервано.\r\n";
constexpr char kLinesKeptAfterFault[] = "\r\nТочки, полученные до ошибки, сохранены.";

// The longest abscissa a message prints as a coordinate line does.
constexpr size_t kLongestMessageNumber = 24;

// x as a coordinate line prints it where that is short; else its shortest
// text that reads back exactly ("1e+300" for 301 digits), so a message never
// holds a number too long to show whole.
std::string Abscissa(double x) {
    std::string text;
    AppendAbscissaText(text, x);
    if (text.size() <= kLongestMessageNumber) {
        return text;
    }
    text.clear();
    AppendShortestNumber(text, x);
    return text;
}

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

std::string LinesKeptNote(size_t lineCount) {
    return "Получено точек: " + std::to_string(lineCount) + "; они сохранены.\r\n";
}

std::string TooManyLinesMessage(const RunLimits& limits, ReadIn place) {
    const std::string lines = GroupedCount(static_cast<std::uint64_t>(limits.lines));
    return "Слишком много точек: с таким шагом на этом отрезке получится больше " + lines +
           " строк, а допустимо не более " + lines + ".\r\n" + kShorterRangeAdvice.In(place);
}

std::string TooMuchTextMessage(const RunLimits& limits, ReadIn place) {
    const std::string lines = GroupedCount(static_cast<std::uint64_t>(limits.lines));
    const std::string size = SizeText(limits.textBytes);
    return "Слишком длинный текст координат: с таким шагом на этом отрезке он займёт больше " +
           size + ". Допустимо не более " + lines + " строк и не более " + size + " текста.\r\n" +
           kShorterRangeAdvice.In(place);
}

std::string StepTooSmallMessage(const RunRecord& record, ReadIn place) {
    const double stuckAt = record.LineCount() > 0 ? record.X().back() : record.recipe.start;
    return "Шаг слишком мал: при Х = " + Abscissa(stuckAt) +
           " прибавление шага уже не меняет Х, и перебор не закончится.\r\n" +
           LinesKeptNote(record.LineCount()) + kLargerStepAdvice.In(place);
}

std::string TextLimitMessage(const RunRecord& record, const RunLimits& limits, ReadIn place) {
    return "Текст координат достиг предела в " + SizeText(limits.textBytes) +
           ": значения ряда оказались длиннее ожидаемого.\r\n" + LinesKeptNote(record.LineCount()) +
           kShorterRangeAdvice.In(place);
}

const char* ReasonTitle(RunReason reason) {
    switch (reason) {
        case RunReason::StepTooSmall:
        case RunReason::TextLimitReached:
            return kStoppedTitle;
        default:
            return kRefusalTitle;
    }
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

// "при ..." for the operation that faulted.
const char* DuringOperation(FaultOperation operation) {
    switch (operation) {
        case FaultOperation::ReadingNumber:
            return "при чтении введённого числа";
        case FaultOperation::Addition:
            return "при сложении";
        case FaultOperation::Multiplication:
            return "при умножении";
        case FaultOperation::Division:
            return "при делении";
        case FaultOperation::Power:
            return "при возведении в степень";
        case FaultOperation::Cosine:
            return "при вычислении косинуса";
        case FaultOperation::Printing:
            return "при выводе числа";
    }
    return "при вычислении";
}

// What to change after a fault: an overflow tells which value was too large.
const Advice& FaultAdvice(const ArithmeticFault& fault) {
    if (fault.Kind() != FaultKind::Overflow) {
        return kOtherValuesAdvice;
    }
    switch (fault.Operation()) {
        case FaultOperation::ReadingNumber:
            return kSmallerNumberAdvice;
        case FaultOperation::Addition:
            return kShorterSweepAdvice;  // x plus the step
        case FaultOperation::Multiplication:
        case FaultOperation::Division:
        case FaultOperation::Power:
            return kSeriesOverflowAdvice;  // a term or a factorial of the series
        default:
            return kOtherValuesAdvice;
    }
}

std::string DescribeFault(const ArithmeticFault& fault) {
    const std::string during = DuringOperation(fault.Operation());
    switch (fault.Kind()) {
        case FaultKind::Overflow:
            return "Переполнение " + during + ": число вышло за пределы допустимого диапазона.";
        case FaultKind::DivisionByZero:
            return "Деление на ноль.";
        case FaultKind::InvalidOperation:
            return "Недопустимая арифметическая операция " + during + ".";
    }
    return "Арифметическая ошибка " + during + ".";
}

}  // namespace

std::string ReasonMessage(RunReason reason, const RunRecord& record, const RunLimits& limits,
                          ReadIn place) {
    switch (reason) {
        case RunReason::None:
            return {};
        case RunReason::ZeroStep:
            return "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n" +
                   kNonZeroStepAdvice.In(place);
        case RunReason::TooManyLines:
            return TooManyLinesMessage(limits, place);
        case RunReason::TooMuchText:
            return TooMuchTextMessage(limits, place);
        case RunReason::PrecisionNotPositive:
            return "Точность должна быть больше нуля: иначе члены ряда никогда не станут "
                   "достаточно малыми.\r\n" +
                   kPositivePrecisionAdvice.In(place);
        case RunReason::StepTooSmall:
            return StepTooSmallMessage(record, place);
        case RunReason::TextLimitReached:
            return TextLimitMessage(record, limits, place);
    }
    return {};
}

std::string WarningMessage(const PrecisionWarning& warning, double precision, size_t lineCount,
                           ReadIn place) {
    const std::int64_t rounding = warning.count - warning.stillGrowing;
    const std::string where = warning.count == 1 ? "при Х = " + Abscissa(warning.firstX)
                                                 : "при Х от " + Abscissa(warning.firstX) + " до " +
                                                       Abscissa(warning.lastX);
    std::string precisionText;
    AppendShortestNumber(precisionText, precision);
    std::string text = "Точность " + precisionText + " не гарантирована " +
                       AtPoints(warning.count) + " из " + std::to_string(lineCount) + ", " + where +
                       ".";
    const bool both = rounding > 0 && warning.stillGrowing > 0;
    if (rounding > 0) {
        text += "\r\n" + std::string(both ? "В " + std::to_string(rounding) + " из них о" : "О") +
                "шибка округления ряда вместе с отброшенными членами может её превышать; "
                "наибольшая оценка — " +
                RoughNumber(warning.largestBound) +
                ". При больших |Х| члены ряда очень велики и при сложении почти уничтожают "
                "друг друга, поэтому от их ошибок округления сумма не избавляется.";
    }
    if (warning.stillGrowing > 0) {
        text +=
            "\r\n" +
            std::string(both ? "В " + std::to_string(warning.stillGrowing) + " из них р" : "Р") +
            "яд остановлен, пока его члены ещё росли: точность больше этих членов, и "
            "отброшенная часть ряда ничем не ограничена.";
    }
    text += "\r\nЗначения оставлены как вычислены. ";
    if (rounding == 0) {
        return text + kSmallerPrecisionAdvice.In(place);
    }
    return text + (both ? kPrecisionOrFormulaAdvice : kFormulaAdvice).In(place);
}

void TellOutcome(DialogueService& dialogues, const RunOutcome& outcome, const RunRecord& record,
                 const RunLimits& limits, ReadIn place) {
    if (outcome.reason != RunReason::None) {
        dialogues.ShowMessage(ReasonMessage(outcome.reason, record, limits, place),
                              ReasonTitle(outcome.reason));
    }
    if (outcome.warning) {
        dialogues.ShowMessage(
            WarningMessage(*outcome.warning, record.recipe.precision, record.LineCount(), place),
            kWarningTitle);
    }
}

std::string FaultMessage(const ArithmeticFault& fault, bool linesKept, ReadIn place) {
    return kFaultHeading + DescribeFault(fault) + (linesKept ? kLinesKeptAfterFault : "") + "\r\n" +
           FaultAdvice(fault).In(place);
}

std::string TermsFaultMessage(const ArithmeticFault& fault, size_t termsShown) {
    return kFaultHeading + DescribeFault(fault) +
           (termsShown > 0
                ? "\r\nЧлены ряда до ошибки (" + std::to_string(termsShown) + ") показаны."
                : std::string());
}

std::string RecipeText(const RunRecord& record) {
    const RunRecipe& recipe = record.recipe;
    std::string step;
    AppendShortestNumber(step, recipe.step);
    std::string text =
        std::string(record.IsSeries() ? "Степенной ряд" : "Формула 2((cos(x))^2-1)") + ": x от " +
        Abscissa(recipe.start) + " до " + Abscissa(recipe.bound) + " с шагом " + step;
    if (record.IsSeries()) {
        std::string precision;
        AppendShortestNumber(precision, recipe.precision);
        text += ", точность " + precision;
    }
    return text + "; строк: " + std::to_string(record.LineCount());
}

std::string SweepDriftText(std::int64_t lines, double lastX, std::optional<double> nextX,
                           double drift, bool idealLineWithinBound, double start, double step,
                           double bound) {
    if (drift == 0 && !(nextX && idealLineWithinBound)) {
        return {};
    }
    const auto shortest = [](double value) {
        std::string text;
        AppendShortestNumber(text, value);
        return text;
    };
    const auto ideal = [&](std::int64_t k) {
        return shortest(start) + " + " + std::to_string(k) + "·" + shortest(step);
    };
    std::string text = "x — накопленная сумма шагов: к последней точке, x = " + Abscissa(lastX) +
                       ", она ушла от " + ideal(lines - 1) + " на " + ShortNumber(drift) + ".";
    if (nextX && idealLineWithinBound) {
        text += " Следующая сумма, " + shortest(*nextX) + ", уже " +
                (step >= 0 ? "больше" : "меньше") + " конечного значения " + Abscissa(bound) +
                ", хотя " + ideal(lines) + " в него укладывается: поэтому последняя точка — " +
                Abscissa(lastX) + ".";
    }
    return text;
}
