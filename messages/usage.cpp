#include "messages/usage.h"

#include <cerrno>
#include <cstring>

const char kCommandLineHelp[] =
    "Использование:\n"
    "  tabulator                   открыть окно программы\n"
    "  tabulator --print (--series | --closed-form) [--start T] [--end T] [--step T]\n"
    "            [--precision T] [--csv | --csv-comma] [--xlsx FILE]\n"
    "            [--plot FILE [--size WxH]]\n"
    "  tabulator --terms X [--precision T] [--bits P] [--csv | --csv-comma]\n"
    "  tabulator --help | --version\n"
    "\n"
    "Табулирует функцию y = 2((cos x)^2 - 1) = cos 2x - 1 без окна: выводит те же\n"
    "строки «(x;y)», что окно получило бы при тех же ответах.\n"
    "\n"
    "Параметры:\n"
    "  --print          вычислить и вывести таблицу в стандартный вывод\n"
    "  --series         по степенному ряду (ответ «Да»)\n"
    "  --closed-form    по формуле 2((cos(x))^2-1) (ответ «Нет»)\n"
    "  --start T        начальное значение Х (по умолчанию 0.1)\n"
    "  --end T          конечное значение Х (по умолчанию 1)\n"
    "  --step T         шаг (по умолчанию .1)\n"
    "  --precision T    точность ряда, с --series или --terms (по умолчанию .000019753086)\n"
    "  --csv            вывести таблицу в CSV (поля через «;»), а не строки «(x;y)»\n"
    "  --csv-comma      то же с десятичной запятой, для таблиц на русском языке\n"
    "  --xlsx FILE      сохранить также таблицу как книгу Excel в FILE\n"
    "  --plot FILE      сохранить также график в FILE: .png, .svg или .pdf\n"
    "  --size WxH       размер графика в точках (по умолчанию 960x600)\n"
    "  --terms X        разобрать ряд при x = X по членам: n, Tn, Sn, |Sn - y*|,\n"
    "                   |Tn| > точности, оценка округления (y* — точное значение)\n"
    "  --bits P         с --terms: сложить ряд, округляя каждое действие до P бит\n"
    "                   (от 2 до 1024; у double 53, у float 24)\n"
    "  -h, --help       показать эту справку\n"
    "  -v, --version    показать версию\n"
    "\n"
    "Числа читаются так же, как в окне ввода: десятичный разделитель — точка,\n"
    "«0,1» читается как 0. Значение может начинаться с «-»: --start -1.\n"
    "\n"
    "Коды завершения: 0 — вычислено (в том числе с предупреждением о точности),\n"
    "1 — данные отклонены или перебор остановлен, 2 — неверные параметры,\n"
    "3 — арифметическая ошибка.\n";

const char kUnreadableArguments[] = "неверные параметры";
const char kPrintMissing[] = "нужен параметр --print или --terms (или --help, --version)";
const char kPrintOrTerms[] = "укажите только один из параметров --print и --terms";
const char kNotWithTerms[] =
    "с --terms допустимы только --precision, --bits, --csv и --csv-comma: ряд разбирается в "
    "одной точке";
const char kBitsWithoutTerms[] = "параметр --bits — только вместе с --terms";
const char kUnreadableBits[] = "рабочая точность --bits — целое число бит от 2 до 1024";
const char kOneCsvForm[] = "укажите только один из параметров --csv и --csv-comma";
const char kSizeWithoutPlot[] = "параметр --size — только вместе с --plot";
const char kUnreadableSize[] =
    "размер графика задаётся как ШИРИНАxВЫСОТА, от 64 до 10000 точек, например 960x600";
const char kUnknownPlotForm[] =
    "формат графика определяется расширением файла: .png, .svg или .pdf";
const char kOneMethodNeeded[] = "укажите ровно один из параметров --series и --closed-form";
const char kPrecisionWithoutSeries[] =
    "параметр --precision — только вместе с --series или --terms";

namespace {

std::string Quoted(std::string_view text) {
    return "«" + std::string(text) + "»";
}

}  // namespace

std::string UsageError(std::string_view problem) {
    return "tabulator: " + std::string(problem) + "\nСправка: tabulator --help\n";
}

std::string UnknownOption(std::string_view option) {
    return "неизвестный параметр " + Quoted(option);
}

std::string MissingValue(std::string_view option) {
    return "после " + Quoted(option) + " нет значения";
}

std::string ExtraArgument(std::string_view argument) {
    return "лишний аргумент " + Quoted(argument);
}

std::string OutputFailure(int errorNumber) {
    const std::string cause = errorNumber == ENOSPC
                                  ? "на диске нет места"
                                  : std::string("ошибка записи: ") + std::strerror(errorNumber);
    return "tabulator: не удалось записать результат: " + cause + "\n";
}

std::string FileFailure(std::string_view path, std::string_view cause) {
    return "tabulator: не удалось сохранить файл " + Quoted(path) + ": " + std::string(cause) +
           "\n";
}
