#include "numtext/arithmeticfault.h"

namespace {

// The user's sentence for one kind of fault.
const char* Describe(FaultKind kind) {
    switch (kind) {
        case FaultKind::Overflow:
            return "Переполнение: число вышло за пределы допустимого диапазона.";
        case FaultKind::DivisionByZero:
            return "Деление на ноль.";
        case FaultKind::InvalidOperation:
            return "Недопустимая арифметическая операция.";
    }
    return "Арифметическая ошибка.";
}

}  // namespace

ArithmeticFault::ArithmeticFault(FaultKind kind)
    : std::runtime_error(Describe(kind)), kind_(kind) {}
