#pragma once
// Conversions of the values read from set-up and settings files.
#include <cstdint>
#include <optional>
#include <string>

namespace mmx {

// A whole text that is a number: blanks around it, an optional sign, digits and an optional
// fraction with "."; rounded half to even. Nothing for any other text or outside int64.
std::optional<int64_t> strictInteger(const std::string& text);

// "True"/"False" in any letter case (blanks around allowed), or a number: 0 is false.
std::optional<bool> booleanValue(const std::string& text);

// The value of a "key=value" line: everything after the first "=", the whole line without one.
std::string lineValue(const std::string& line);

}  // namespace mmx

namespace mmx {

// A whole text that is a plain decimal number (blanks around it, digits, an optional fraction
// with "."; no sign), scaled by 10^decimals and rounded half up: ("2.50", 2) -> 250,
// ("22.05", 3) -> 22050. Nothing for any other text or beyond 10^15.
std::optional<int64_t> scaledDecimal(const std::string& text, int decimals);

}  // namespace mmx
