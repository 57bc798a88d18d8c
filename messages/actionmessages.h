#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The words for a command of the user's that failed while the program went
// on: memory ran out, or something else went wrong. UTF-8, CR LF line breaks.

// "Действие не выполнено".
extern const char kActionFailedTitle[];

// Memory ran out: what to try instead.
//   "Не хватило памяти, чтобы выполнить это действие.\r\nЗакройте другие программы
//    или выберите меньше строк и повторите."
extern const char kActionOutOfMemory[];

// Anything else, with the system's words for it:
//   ActionFailure("disk error") -> "Действие не выполнено: disk error.\r\nПрограмма
//     продолжает работу; повторите действие."
std::string ActionFailure(std::string_view what);

// A table too long to print whole:
//   TooLongToPrintMessage(20000, 5000) -> "В таблице 20000 строк, а напечатать можно не
//   более 5000 за раз.\r\nВыделите строки, которые нужно напечатать, и нажмите «Печать…»
//   снова."
std::string TooLongToPrintMessage(size_t rows, size_t most);
