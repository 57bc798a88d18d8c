#include "messages/actionmessages.h"

const char kActionFailedTitle[] = "Действие не выполнено";
const char kActionOutOfMemory[] =
    "Не хватило памяти, чтобы выполнить это действие.\r\nЗакройте другие программы или "
    "выберите меньше строк и повторите.";

std::string ActionFailure(std::string_view what) {
    return "Действие не выполнено: " + std::string(what) +
           ".\r\nПрограмма продолжает работу; повторите действие.";
}

namespace {

// "строка", "строки" or "строк" as Russian counts them.
const char* Rows(size_t count) {
    const size_t tens = count % 100;
    const size_t ones = count % 10;
    if (tens >= 11 && tens <= 14) {
        return "строк";
    }
    return ones == 1 ? "строка" : ones >= 2 && ones <= 4 ? "строки" : "строк";
}

}  // namespace

std::string TooLongToPrintMessage(size_t rows, size_t most) {
    return "В таблице " + std::to_string(rows) + " " + Rows(rows) +
           ", а напечатать можно не более " + std::to_string(most) +
           " за раз.\r\nВыделите строки, которые нужно напечатать, и нажмите «Печать…» снова.";
}
