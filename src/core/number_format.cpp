#include "core/number_format.h"

#include <charconv>
#include <cstdlib>
#include <cmath>
#include <limits>

namespace mmx {

std::string formatHundredths(int64_t hundredths) {
    // Built from integers, so the locale never changes the decimal point.
    const bool negative = hundredths < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
    std::string fraction = std::to_string(magnitude % 100);
    if (fraction.size() < 2) fraction.insert(0, 1, '0');
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

std::string formatSeconds(double seconds) {
    const double scaled = seconds * 100.0;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9e17) return "0.00";
    return formatHundredths(std::llround(scaled));
}

std::string formatKilohertz(uint32_t hertz) {
    std::string fraction = std::to_string(hertz % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(hertz / 1000) + "." + fraction;
}

double numberValue(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const size_t start = pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    }
    std::string number = text.substr(start, pos - start);
    if (!number.empty() && number[0] == '+') number.erase(0, 1);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0;
    return value;
}

int64_t wholeNumberValue(const std::string& text) {
    const double value = std::nearbyint(numberValue(text));
    constexpr double kMax = 9.2e18;
    if (value >= kMax) return std::numeric_limits<int64_t>::max();
    if (value <= -kMax) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

}  // namespace mmx
