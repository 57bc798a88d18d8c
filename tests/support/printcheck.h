#pragma once

#include <gtest/gtest.h>

// Whether `value` prints under each of the program's four digit patterns as
// the exact decimal oracle says, and each text reads back through ReadNumber
// as the real nearest the printed decimal; names the first mismatch.
testing::AssertionResult PrintsExactly(double value);
