#pragma once

#include <mpfr.h>

// An MPFR number of a given precision that frees itself.
class Big {
public:
    explicit Big(mpfr_prec_t bits) : value_() { mpfr_init2(value_, bits); }
    ~Big() { mpfr_clear(value_); }
    Big(const Big&) = delete;
    Big& operator=(const Big&) = delete;
    mpfr_ptr get() { return value_; }

private:
    mpfr_t value_;
};
