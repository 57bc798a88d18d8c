#pragma once

#include <string>
#include <string_view>

// How the data-entry run will read a typed text (UTF-8), in a line for the
// input box: the number as ReadNumber reads it, printed with "." and as many
// digits as tell the real apart, then what is ignored and why. It only
// describes the reading and never changes it.
//   ReadingHint("0.1")   -> "Будет прочитано: 0.1"
//   ReadingHint("0,5")   -> "Будет прочитано: 0. Дробную часть отделяйте точкой «.»: "
//                           "запятая и всё после неё не учитываются."
//   ReadingHint("2 м")   -> "Будет прочитано: 2. Остальное («м») не учитывается."
//   ReadingHint("abc")   -> "Число не найдено: будет прочитано 0."
//   ReadingHint("1e400") -> "Число вне допустимого диапазона: вычисление будет прервано."
std::string ReadingHint(std::string_view typed);
