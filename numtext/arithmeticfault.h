#pragma once

#include <stdexcept>

// The ways a real operation can leave the finite reals.
enum class FaultKind { Overflow, DivisionByZero, InvalidOperation };

// The operation whose result left the finite reals.
enum class FaultOperation {
    ReadingNumber,
    Addition,
    Multiplication,
    Division,
    Power,
    Cosine,
    Printing
};

// Raised by every checked real operation whose result is not finite. It ends
// the current data-entry run. It carries what went wrong and in which
// operation; the words a user reads for it belong to the program's front end.
// what() is a short English note for logs and test failures:
//   ArithmeticFault(FaultKind::Overflow, FaultOperation::Power).what()
//     -> "arithmetic fault: overflow in a power"
class ArithmeticFault : public std::runtime_error {
public:
    ArithmeticFault(FaultKind kind, FaultOperation operation);

    FaultKind Kind() const noexcept { return kind_; }
    FaultOperation Operation() const noexcept { return operation_; }

private:
    FaultKind kind_;
    FaultOperation operation_;
};
