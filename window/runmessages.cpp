#include "window/runmessages.h"

#include "numtext/arithmeticfault.h"

const char kFaultTitle[] = "Ошибка вычисления";
const char kOutOfMemoryMessage[] = "Не хватило памяти для таблицы точек.";

namespace {

constexpr char kFaultHeading[] = "Вычисление прервано.\r\n";
constexpr char kLinesKeptNote[] = "\r\nТочки, полученные до ошибки, сохранены.";

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

std::string Describe(const ArithmeticFault& fault) {
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

std::string FaultMessage(const ArithmeticFault& fault, bool linesKept) {
    return kFaultHeading + Describe(fault) + (linesKept ? kLinesKeptNote : "");
}
