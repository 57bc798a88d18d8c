#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small texts every room writes alike.

// A real as people read it at a glance: four significant digits, "." as the
// point, in the shorter of plain and scientific form, never "-0"; a value
// that is not finite as std::to_chars writes it.
//   ShortNumber(1.3886407345189977e-09) -> "1.389e-09"; ShortNumber(-0.5) -> "-0.5"
//   ShortNumber(12) -> "12"; ShortNumber(-0.0) -> "0"
std::string ShortNumber(double value);

// The characters of UTF-8 `text`: its bytes less the continuation bytes.
//   Utf8Length("№") -> 1; Utf8Length("x") -> 1; Utf8Length("Σ|Tₖ|") -> 5
std::size_t Utf8Length(std::string_view text);
