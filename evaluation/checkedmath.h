#pragma once

#include <cmath>

#include "numtext/arithmeticfault.h"

// Real operations that raise ArithmeticFault instead of giving a non-finite
// result. Operands are finite: the checks keep them so.

// `result` of `operation` itself, or a fault when it is infinite (overflow) or
// NaN (invalid).
inline double Checked(double result, FaultOperation operation) {
    if (std::isinf(result)) {
        throw ArithmeticFault(FaultKind::Overflow, operation);
    }
    if (std::isnan(result)) {
        throw ArithmeticFault(FaultKind::InvalidOperation, operation);
    }
    return result;
}

inline double CheckedAdd(double a, double b) {
    return Checked(a + b, FaultOperation::Addition);
}

inline double CheckedMultiply(double a, double b) {
    return Checked(a * b, FaultOperation::Multiplication);
}

// a / b; 0 / 0 is an invalid operation, any other a / 0 a division by zero.
inline double CheckedDivide(double a, double b) {
    if (b == 0.0) {
        throw ArithmeticFault(a == 0.0 ? FaultKind::InvalidOperation : FaultKind::DivisionByZero,
                              FaultOperation::Division);
    }
    return Checked(a / b, FaultOperation::Division);
}

// base raised to a whole exponent, as a real power.
inline double CheckedPower(double base, int exponent) {
    return Checked(std::pow(base, static_cast<double>(exponent)), FaultOperation::Power);
}
