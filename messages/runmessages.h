#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "evaluation/dialogueservice.h"
#include "evaluation/runrecord.h"
#include "evaluation/sweep.h"

class ArithmeticFault;

// The words the program says of a data-entry run: why it was refused, why it
// stopped, where its series cannot be trusted, and what fault ended it. Texts
// are UTF-8 with CR LF line breaks, as the run's own dialogues; every message
// ends with what the user can do next.

// Where a message is read: the window, whose advice names its buttons, or
// the command line, whose advice names its options.
enum class ReadIn { Window, CommandLine };

// The titles of the run's messages.
extern const char kRefusalTitle[];  // "Недопустимые данные"
extern const char kStoppedTitle[];  // "Вычисление остановлено"
extern const char kWarningTitle[];  // "Точность не гарантирована"
extern const char kFaultTitle[];    // "Ошибка вычисления"

// Shows, through `dialogues`, what the user must know of how the run ended:
// its refusal or its stop, then the precision warning; a run that completed
// without a warning shows nothing. `record` is the run's.
//   a zero step -> "Недопустимые данные": "Шаг равен нулю: значение Х не будет
//     меняться, и перебор не закончится.\r\nНажмите «Ввод данных» и введите шаг,
//     отличный от нуля."
//   the same, ReadIn::CommandLine -> "... перебор не закончится.\r\nЗапустите снова с
//     --step, отличным от нуля."
void TellOutcome(DialogueService& dialogues, const RunOutcome& outcome, const RunRecord& record,
                 const RunLimits& limits = {}, ReadIn place = ReadIn::Window);

// The message of a refusal or a stop (RunReason::None gives empty text).
std::string ReasonMessage(RunReason reason, const RunRecord& record, const RunLimits& limits,
                          ReadIn place = ReadIn::Window);

// The message of the precision warning of a run of `lineCount` lines: where
// the precision is not guaranteed, and which cause was found there (rounding,
// or a precision so large that the series stopped while its terms still grew).
std::string WarningMessage(const PrecisionWarning& warning, double precision, size_t lineCount,
                           ReadIn place = ReadIn::Window);

// What the user reads for the fault, whether lines made before it remain, and
// what to change: an overflow names the value that grew too large.
//   FaultMessage(ArithmeticFault(FaultKind::Overflow, FaultOperation::Power), true) ->
//     "Вычисление прервано.\r\n"
//     "Переполнение при возведении в степень: число вышло за пределы допустимого "
//     "диапазона.\r\nТочки, полученные до ошибки, сохранены.\r\nЧлены ряда при таком |Х|
//     слишком велики. Нажмите «Ввод данных» и возьмите меньший |Х| ..."
std::string FaultMessage(const ArithmeticFault& fault, bool linesKept,
                         ReadIn place = ReadIn::Window);

// What the user reads for a fault that ended the series at one abscissa
// after `termsShown` terms:
//   "Вычисление прервано.\r\nПереполнение при возведении в степень: …\r\n
//    Члены ряда до ошибки (81) показаны."
std::string TermsFaultMessage(const ArithmeticFault& fault, size_t termsShown);

// What the user reads when memory ran out during a run or a display.
extern const char kOutOfMemoryMessage[];

// A run's recipe in words, for a printed table's heading:
//   "Степенной ряд: x от 0.1 до 1.0 с шагом 0.1, точность 1.9753086e-05; строк: 10"
//   "Формула 2((cos(x))^2-1): x от 0.1 до 1.0 с шагом 0.1; строк: 10"
std::string RecipeText(const RunRecord& record);

// How the sweep's own rounding shows at the end of a run, for the view: x
// is the running sum of the steps, so where that sum passed the bound before
// start + k * step did, the line a user expects is told as not made, with
// the next sum; and how far the sum has drifted from start + (lines - 1) *
// step. Empty where it has not drifted at all.
//   SweepDriftText(320, 15.950000000000088, 16.000000000000092, 9.077e-14, true, 0, 0.05, 16) ->
//     "x — накопленная сумма шагов: к последней точке, x = 15.95, она ушла от
//      0 + 319·0.05 на 9.077e-14. Следующая сумма, 16.000000000000092, уже больше
//      конечного значения 16.0, хотя 0 + 320·0.05 в него укладывается: поэтому
//      последняя точка — 15.95."
std::string SweepDriftText(std::int64_t lines, double lastX, std::optional<double> nextX,
                           double drift, bool idealLineWithinBound, double start, double step,
                           double bound);
