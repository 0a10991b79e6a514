#pragma once
// Numbers as the tables show them: "." as decimal point whatever the user's locale.
#include <cstdint>
#include <string>

namespace mmx {

// "####0.00": at least one integer digit, exactly two decimals, halves rounded away from zero.
std::string formatSeconds(double seconds);
// The same format for a whole number of hundredths.
std::string formatHundredths(int64_t hundredths);
// "#0.000" of a rate given in Hz, shown in kHz ("22.050").
std::string formatKilohertz(uint32_t hertz);
// The leading number of a text, "." as decimal point; blanks before it are skipped and
// a text without a number gives 0 (" 5" -> 5, "700 kB" -> 700, "" -> 0).
double numberValue(const std::string& text);
// numberValue rounded to a whole number, saturated to the 64-bit range.
int64_t wholeNumberValue(const std::string& text);

}  // namespace mmx
