#include "messages/runmessages.h"

#include <charconv>
#include <cstdint>

#include "numtext/arithmeticfault.h"
#include "numtext/formatnumber.h"

const char kRefusalTitle[] = "Недопустимые данные";
const char kStoppedTitle[] = "Вычисление остановлено";
const char kWarningTitle[] = "Точность не гарантирована";
const char kFaultTitle[] = "Ошибка вычисления";
const char kOutOfMemoryMessage[] = "Не хватило памяти для таблицы точек.";

namespace {

constexpr char kShorterRangeAdvice[] =
    "Нажмите «Ввод данных» и увеличьте шаг или сократите отрезок.";
constexpr char kLargerStepAdvice[] = "Нажмите «Ввод данных» и увеличьте шаг.";
constexpr char kFaultHeading[] = "Вычисление прервано.\r\n";
constexpr char kLinesKeptAfterFault[] = "\r\nТочки, полученные до ошибки, сохранены.";

// x as a coordinate line prints it.
std::string Abscissa(double x) {
    std::string text;
    AppendAbscissaText(text, x);
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

std::string TooManyLinesMessage(const RunLimits& limits) {
    const std::string lines = GroupedCount(static_cast<std::uint64_t>(limits.lines));
    return "Слишком много точек: с таким шагом на этом отрезке получится больше " + lines +
           " строк, а допустимо не более " + lines + ".\r\n" + kShorterRangeAdvice;
}

std::string TooMuchTextMessage(const RunLimits& limits) {
    const std::string lines = GroupedCount(static_cast<std::uint64_t>(limits.lines));
    const std::string size = SizeText(limits.textBytes);
    return "Слишком длинный текст координат: с таким шагом на этом отрезке он займёт больше " +
           size + ". Допустимо не более " + lines + " строк и не более " + size + " текста.\r\n" +
           kShorterRangeAdvice;
}

std::string StepTooSmallMessage(const RunRecord& record) {
    const double stuckAt = record.LineCount() > 0 ? record.X().back() : record.recipe.start;
    return "Шаг слишком мал: при Х = " + Abscissa(stuckAt) +
           " прибавление шага уже не меняет Х, и перебор не закончится.\r\n" +
           LinesKeptNote(record.LineCount()) + kLargerStepAdvice;
}

std::string TextLimitMessage(const RunRecord& record, const RunLimits& limits) {
    return "Текст координат достиг предела в " + SizeText(limits.textBytes) +
           ": значения ряда оказались длиннее ожидаемого.\r\n" + LinesKeptNote(record.LineCount()) +
           kShorterRangeAdvice;
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

std::string ReasonMessage(RunReason reason, const RunRecord& record, const RunLimits& limits) {
    switch (reason) {
        case RunReason::None:
            return {};
        case RunReason::ZeroStep:
            return "Шаг равен нулю: значение Х не будет меняться, и перебор не закончится.\r\n"
                   "Нажмите «Ввод данных» и введите шаг, отличный от нуля.";
        case RunReason::TooManyLines:
            return TooManyLinesMessage(limits);
        case RunReason::TooMuchText:
            return TooMuchTextMessage(limits);
        case RunReason::PrecisionNotPositive:
            return "Точность должна быть больше нуля: иначе члены ряда никогда не станут "
                   "достаточно малыми.\r\nНажмите «Ввод данных» и введите положительную "
                   "точность.";
        case RunReason::StepTooSmall:
            return StepTooSmallMessage(record);
        case RunReason::TextLimitReached:
            return TextLimitMessage(record, limits);
    }
    return {};
}

std::string WarningMessage(const PrecisionWarning& warning, double precision, size_t lineCount) {
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
        return text + "Нажмите «Ввод данных» и задайте меньшую точность.";
    }
    return text + (both ? "Нажмите «Ввод данных» и задайте меньшую точность или ответьте «Нет»: "
                          "надёжные значения даёт формула 2((cos(x))^2-1)."
                        : "Надёжные значения даёт формула 2((cos(x))^2-1): нажмите «Ввод "
                          "данных» и ответьте «Нет».");
}

void TellOutcome(DialogueService& dialogues, const RunOutcome& outcome, const RunRecord& record,
                 const RunLimits& limits) {
    if (outcome.reason != RunReason::None) {
        dialogues.ShowMessage(ReasonMessage(outcome.reason, record, limits),
                              ReasonTitle(outcome.reason));
    }
    if (outcome.warning) {
        dialogues.ShowMessage(
            WarningMessage(*outcome.warning, record.recipe.precision, record.LineCount()),
            kWarningTitle);
    }
}

std::string FaultMessage(const ArithmeticFault& fault, bool linesKept) {
    return kFaultHeading + DescribeFault(fault) + (linesKept ? kLinesKeptAfterFault : "");
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
