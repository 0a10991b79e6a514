#include "core/number_format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace mmx {

std::string formatSeconds(double seconds) {
    // std::to_chars ignores the locale, so "." stays the decimal point everywhere.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 2);
    if (result.ec != std::errc()) return "0.00";
    std::string text(buffer, result.ptr);
    if (text == "-0.00") text = "0.00";
    return text;
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
