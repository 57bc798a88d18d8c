#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// Ends a fuzz run with a message when a property does not hold; libFuzzer
// then keeps the input that broke it.
inline void Require(bool holds, const std::string& property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property.c_str());
        std::abort();
    }
}
