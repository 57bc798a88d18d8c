#include "evaluation/formulas.h"

#include <cmath>

#include "evaluation/checkedmath.h"

double Factorial(int m) {
    double product = 1.0;
    for (int i = 1; i <= m; ++i) {
        product = CheckedMultiply(product, i);
    }
    return product;
}

SeriesResult SeriesValue(double x, double precision) {
    SeriesResult result;
    const double doubledX = CheckedMultiply(2.0, x);
    do {
        const int n = ++result.TermIndex;
        const double sign = n % 2 == 0 ? 1.0 : -1.0;  // (-1)^n
        const double numerator = CheckedMultiply(sign, CheckedPower(doubledX, 2 * n));
        result.Term = CheckedDivide(numerator, Factorial(2 * n));
        result.Sum = CheckedAdd(result.Sum, result.Term);
    } while (std::fabs(result.Term) > precision);
    return result;
}

double ClosedFormValue(double x) {
    const double cosine = Checked(std::cos(x));
    const double square =
        cosine * cosine;  // what the real power u^2 gives: the square rounded once
    return CheckedMultiply(square - 1.0, 2.0);
}
