#include "numtext/arithmeticfault.h"

#include <string>

namespace {

const char* KindName(FaultKind kind) {
    switch (kind) {
        case FaultKind::Overflow:
            return "overflow";
        case FaultKind::DivisionByZero:
            return "division by zero";
        case FaultKind::InvalidOperation:
            return "invalid operation";
    }
    return "fault";
}

const char* OperationName(FaultOperation operation) {
    switch (operation) {
        case FaultOperation::ReadingNumber:
            return "reading a number";
        case FaultOperation::Addition:
            return "an addition";
        case FaultOperation::Multiplication:
            return "a multiplication";
        case FaultOperation::Division:
            return "a division";
        case FaultOperation::Power:
            return "a power";
        case FaultOperation::Cosine:
            return "a cosine";
        case FaultOperation::Printing:
            return "printing a number";
    }
    return "an operation";
}

}  // namespace

ArithmeticFault::ArithmeticFault(FaultKind kind, FaultOperation operation)
    : std::runtime_error(std::string("arithmetic fault: ") + KindName(kind) + " in " +
                         OperationName(operation)),
      kind_(kind),
      operation_(operation) {}
