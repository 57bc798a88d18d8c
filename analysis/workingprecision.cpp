#include "analysis/workingprecision.h"

#include <algorithm>
#include <cmath>
#include <mpfr.h>

#include "analysis/bignumber.h"
#include "evaluation/checkedmath.h"
#include "numtext/arithmeticfault.h"

namespace {

// MPFR's exponents of a double's range: the largest below 2^1024, the
// smallest subnormal 2^-1074 = 0.5 * 2^-1073.
constexpr mpfr_exp_t kDoubleEmax = 1024;
constexpr mpfr_exp_t kDoubleEmin = -1073;
// y* is measured at this many bits beyond the sum's.
constexpr mpfr_prec_t kReferenceMargin = 128;

// The calling thread's MPFR exponent range narrowed to a double's while it
// lives.
class DoubleRange {
public:
    DoubleRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        mpfr_set_emin(kDoubleEmin);
        mpfr_set_emax(kDoubleEmax);
    }
    ~DoubleRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    DoubleRange(const DoubleRange&) = delete;
    DoubleRange& operator=(const DoubleRange&) = delete;

private:
    mpfr_exp_t emin_;
    mpfr_exp_t emax_;
};

// Rounds an operation's result into a p-bit format of a double's range, as
// IEEE arithmetic would: gradual underflow, and a fault beyond the largest.
void Settle(mpfr_ptr value, int ternary, FaultOperation operation) {
    mpfr_subnormalize(value, ternary, MPFR_RNDN);
    if (mpfr_inf_p(value) != 0 || mpfr_nan_p(value) != 0) {
        throw ArithmeticFault(FaultKind::Overflow, operation);
    }
}

// The series' terms and partial sums at p bits, made exactly as SeriesTerms
// and SeriesValue make them in doubles. Holds the thread's exponent range at
// a double's while it lives.
class WideSeries {
public:
    WideSeries(double x, int bits) : doubledX_(bits), factorial_(bits), term_(bits), sum_(bits) {
        Big exactX(kDoubleBits);
        mpfr_set_d(exactX.get(), x, MPFR_RNDN);
        Settle(doubledX_.get(), mpfr_mul_si(doubledX_.get(), exactX.get(), 2, MPFR_RNDN),
               FaultOperation::Multiplication);
        mpfr_set_ui(factorial_.get(), 1, MPFR_RNDN);
        mpfr_set_ui(sum_.get(), 0, MPFR_RNDN);
    }

    // Adds the next term, T_n; throws ArithmeticFault where one leaves the range.
    void Next() {
        const long n = ++n_;
        Multiply(factorial_.get(), 2 * n - 1);
        Multiply(factorial_.get(), 2 * n);
        if (mpfr_get_prec(term_.get()) == kDoubleBits) {
            // The run's own power: the library's pow is within an ulp but not
            // always correctly rounded, and at 53 bits the sums must agree.
            mpfr_set_d(term_.get(),
                       CheckedPower(mpfr_get_d(doubledX_.get(), MPFR_RNDN), Index() * 2),
                       MPFR_RNDN);
        } else {
            Settle(term_.get(), mpfr_pow_si(term_.get(), doubledX_.get(), 2 * n, MPFR_RNDN),
                   FaultOperation::Power);
        }
        if (n % 2 == 1) {
            mpfr_neg(term_.get(), term_.get(), MPFR_RNDN);  // exact
        }
        Settle(term_.get(), mpfr_div(term_.get(), term_.get(), factorial_.get(), MPFR_RNDN),
               FaultOperation::Division);
        Settle(sum_.get(), mpfr_add(sum_.get(), sum_.get(), term_.get(), MPFR_RNDN),
               FaultOperation::Addition);
    }

    int Index() const { return static_cast<int>(n_); }
    double Term() { return mpfr_get_d(term_.get(), MPFR_RNDN); }
    double Sum() { return mpfr_get_d(sum_.get(), MPFR_RNDN); }
    mpfr_ptr ExactSum() { return sum_.get(); }

private:
    static constexpr mpfr_prec_t kDoubleBits = 53;

    static void Multiply(mpfr_ptr value, long factor) {
        Settle(value, mpfr_mul_si(value, value, factor, MPFR_RNDN), FaultOperation::Multiplication);
    }

    DoubleRange range_;
    Big doubledX_;
    Big factorial_;
    Big term_;
    Big sum_;
    long n_ = 0;
};

// y* at `bits` bits: -2 sin^2 x.
void ExactAt(mpfr_ptr result, double x) {
    mpfr_set_d(result, x, MPFR_RNDN);
    mpfr_sin(result, result, MPFR_RNDN);
    mpfr_sqr(result, result, MPFR_RNDN);
    mpfr_mul_si(result, result, -2, MPFR_RNDN);
}

// |sum - y*| to the nearest double.
double ErrorOf(mpfr_ptr sum, mpfr_ptr exact, mpfr_ptr scratch) {
    mpfr_sub(scratch, sum, exact, MPFR_RNDN);
    return std::fabs(mpfr_get_d(scratch, MPFR_RNDN));
}

long double UnitRoundoff(int bits) {
    return std::ldexp(1.0L, -bits);
}

// gamma(m) at u: m u / (1 - m u); none where m u reaches 1.
std::optional<long double> Gamma(long m, long double u) {
    const long double mu = static_cast<long double>(m) * u;
    if (mu >= 1) {
        return std::nullopt;
    }
    return mu / (1 - mu);
}

}  // namespace

std::vector<double> PartialSumErrorsAtBits(double x, int bits, int count) {
    std::vector<double> errors;
    Big exact(bits + kReferenceMargin);
    Big scratch(bits + kReferenceMargin);
    ExactAt(exact.get(), x);
    try {
        WideSeries series(x, bits);
        for (int n = 1; n <= count; ++n) {
            series.Next();
            errors.push_back(ErrorOf(series.ExactSum(), exact.get(), scratch.get()));
        }
    } catch (const ArithmeticFault&) {
        // the errors up to the term that left the range
    }
    return errors;
}

SeriesBreakdown BreakDownSeriesAtBits(double x, double precision, int bits) {
    SeriesBreakdown breakdown;
    breakdown.x = x;
    breakdown.precision = precision;
    breakdown.bits = bits;
    Big exact(bits + kReferenceMargin);
    Big scratch(bits + kReferenceMargin);
    ExactAt(exact.get(), x);
    breakdown.exact = mpfr_get_d(exact.get(), MPFR_RNDN);
    const long double u = UnitRoundoff(bits);
    long double magnitudes = 0;
    long double termErrors = 0;  // sum of gamma(2k + 4) |T_k|, or none past its reach
    bool bounded = true;
    try {
        WideSeries series(x, bits);
        for (;;) {
            series.Next();
            TermStep step;
            step.n = series.Index();
            step.term = series.Term();
            step.partialSum = series.Sum();
            step.error = ErrorOf(series.ExactSum(), exact.get(), scratch.get());
            const long double magnitude = std::fabs(static_cast<long double>(step.term));
            magnitudes += magnitude;
            const std::optional<long double> termGamma = Gamma(2L * step.n + 4, u);
            const std::optional<long double> sumGamma = Gamma(step.n - 1, u);
            bounded = bounded && termGamma && sumGamma;
            if (bounded) {
                termErrors += *termGamma * magnitude;
                step.roundingBound = static_cast<double>((*sumGamma * magnitudes + termErrors) *
                                                         series_detail::kBoundAllowance);
            } else {
                step.roundingBound = HUGE_VAL;  // too few bits for the bound to hold
            }
            step.roundingFloor = static_cast<double>(u * magnitudes);
            if (!KeepStep(breakdown, step)) {
                break;
            }
        }
    } catch (const ArithmeticFault& fault) {
        breakdown.fault = fault;
    }
    return breakdown;
}

std::optional<int> BitsNeeded(const SeriesDetail& series, double precision) {
    if (series.RoundingBound == 0) {
        return kFewestBits;
    }
    // RoundingBound = (gamma(n - 1) M + sum gamma(2k + 4) |T_k|) * allowance at
    // u = 2^-53; the second sum, to first order u W, gives W.
    const long double u53 = UnitRoundoff(53);
    const long n = series.TermIndex;
    const long double magnitudes = series.MagnitudeSum;
    const long double weighted = std::max(
        0.0L,
        (series.RoundingBound / series_detail::kBoundAllowance - *Gamma(n - 1, u53) * magnitudes) /
            u53);
    for (int bits = kFewestBits; bits <= kMostBits; ++bits) {
        const long double u = UnitRoundoff(bits);
        const long double largest = static_cast<long double>(2 * n + 4) * u;
        const std::optional<long double> sumGamma = Gamma(n - 1, u);
        if (largest >= 1 || !sumGamma) {
            continue;
        }
        // Every gamma(2k + 4) is at most (2k + 4) u / (1 - (2n + 4) u).
        const long double bound = (*sumGamma * magnitudes + weighted * u / (1 - largest)) *
                                  series_detail::kBoundAllowance;
        if (bound <= precision) {
            return bits;
        }
    }
    return std::nullopt;
}
