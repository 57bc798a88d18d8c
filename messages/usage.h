#pragma once

#include <string>
#include <string_view>

// The command line's own words: its help, and what it says of arguments it
// cannot take. UTF-8, LF line breaks, as a terminal shows them.

// What "tabulator --help" prints.
extern const char kCommandLineHelp[];

// The line for wrong usage, and where to read more:
//   UsageError("нужен параметр --print") ->
//     "tabulator: нужен параметр --print\nСправка: tabulator --help\n"
std::string UsageError(std::string_view problem);

// The problems, for UsageError.
std::string UnknownOption(std::string_view option);  // "неизвестный параметр «--bogus»"
std::string MissingValue(std::string_view option);  // "после «--start» нет значения"
std::string ExtraArgument(std::string_view argument);  // "лишний аргумент «extra»"
extern const char kUnreadableArguments[];
extern const char kPrintMissing[];
extern const char kPrintOrTerms[];
extern const char kOneCsvForm[];
extern const char kSizeWithoutPlot[];
extern const char kUnreadableSize[];
extern const char kUnknownPlotForm[];
extern const char kNotWithTerms[];
extern const char kBitsWithoutTerms[];
extern const char kUnreadableBits[];
extern const char kOneMethodNeeded[];
extern const char kPrecisionWithoutSeries[];

// The line for output that could not be written, from the system's error
// number: "tabulator: не удалось записать результат: на диске нет места\n".
std::string OutputFailure(int errorNumber);

// The line for a file that could not be written, with its cause:
//   FileFailure("a.xlsx", "на диске нет места") ->
//     "tabulator: не удалось сохранить файл «a.xlsx»: на диске нет места\n"
std::string FileFailure(std::string_view path, std::string_view cause);
