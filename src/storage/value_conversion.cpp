#include "storage/value_conversion.h"

#include <algorithm>


namespace mmx {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<int64_t> strictInteger(const std::string& text) {
    size_t i = 0;
    size_t end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t digitsStart = i;
    uint64_t whole = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (whole > (UINT64_C(1) << 62)) return std::nullopt;
        whole = whole * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    bool anyDigit = i > digitsStart;
    // Fraction: only its first digit and whether anything non-zero follows decide the rounding.
    int firstFraction = -1;
    bool restNonZero = false;
    if (i < end && text[i] == '.') {
        ++i;
        for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i) {
            anyDigit = true;
            if (firstFraction < 0) {
                firstFraction = text[i] - '0';
            } else if (text[i] != '0') {
                restNonZero = true;
            }
        }
    }
    if (!anyDigit || i != end) return std::nullopt;
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1))) ++whole;
    const auto value = static_cast<int64_t>(whole);
    return negative ? -value : value;
}

std::optional<bool> booleanValue(const std::string& text) {
    size_t i = 0;
    size_t end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;
    std::string word = text.substr(i, end - i);
    for (auto& c : word) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (word == "true") return true;
    if (word == "false") return false;
    // Any number: "0", "0.0" and "-0" are false. A fraction like "0.3" is a number, not 0.
    bool sawDigit = false;
    bool nonZero = false;
    bool sawPoint = false;
    size_t k = (!word.empty() && (word[0] == '+' || word[0] == '-')) ? 1 : 0;
    for (; k < word.size(); ++k) {
        const char c = word[k];
        if (c >= '0' && c <= '9') {
            sawDigit = true;
            nonZero = nonZero || c != '0';
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit) return std::nullopt;
    return nonZero;
}

std::string lineValue(const std::string& line) {
    const auto equals = line.find('=');
    return equals == std::string::npos ? line : line.substr(equals + 1);
}

}  // namespace mmx

namespace mmx {

std::optional<int64_t> scaledDecimal(const std::string& text, int decimals) {
    size_t i = 0;
    size_t end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;
    int64_t value = 0;
    int fractionDigits = -1;  // -1: no "." seen yet
    bool anyDigit = false;
    bool roundUp = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c == '.' && fractionDigits < 0) {
            fractionDigits = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        anyDigit = true;
        if (fractionDigits >= decimals) {
            if (fractionDigits == decimals) roundUp = c >= '5';
            ++fractionDigits;
            continue;
        }
        if (value > 100'000'000'000'000) return std::nullopt;
        value = value * 10 + (c - '0');
        if (fractionDigits >= 0) ++fractionDigits;
    }
    if (!anyDigit) return std::nullopt;
    for (int d = std::max(fractionDigits, 0); d < decimals; ++d) value *= 10;
    return value + (roundUp ? 1 : 0);
}

}  // namespace mmx
