#pragma once

#include <string>

class ArithmeticFault;

// The words the program's front ends use for a run that an arithmetic fault
// ended. Texts are UTF-8 with CR LF line breaks, as the run's own messages.

// The title of the fault's message box.
extern const char kFaultTitle[];

// What the user reads for the fault, and whether lines made before it remain:
//   FaultMessage(ArithmeticFault(FaultKind::Overflow, FaultOperation::Power), true) ->
//     "Вычисление прервано.\r\n"
//     "Переполнение при возведении в степень: число вышло за пределы допустимого "
//     "диапазона.\r\nТочки, полученные до ошибки, сохранены."
std::string FaultMessage(const ArithmeticFault& fault, bool linesKept);

// What the user reads when memory ran out during a run or a display.
extern const char kOutOfMemoryMessage[];
