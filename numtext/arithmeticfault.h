#pragma once

#include <stdexcept>

// The ways a real operation can leave the finite reals.
enum class FaultKind { Overflow, DivisionByZero, InvalidOperation };

// Raised by every checked real operation whose result is not finite. It ends
// the current data-entry run. what() is a Russian sentence for the user:
// ArithmeticFault(FaultKind::Overflow).what() ->
//   "Переполнение: число вышло за пределы допустимого диапазона."
class ArithmeticFault : public std::runtime_error {
public:
    explicit ArithmeticFault(FaultKind kind);

    FaultKind Kind() const noexcept { return kind_; }

private:
    FaultKind kind_;
};
