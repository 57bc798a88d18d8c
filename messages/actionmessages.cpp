#include "messages/actionmessages.h"

const char kActionFailedTitle[] = "Действие не выполнено";
const char kActionOutOfMemory[] =
    "Не хватило памяти, чтобы выполнить это действие.\r\nЗакройте другие программы или "
    "выберите меньше строк и повторите.";

std::string ActionFailure(std::string_view what) {
    return "Действие не выполнено: " + std::string(what) +
           ".\r\nПрограмма продолжает работу; повторите действие.";
}
