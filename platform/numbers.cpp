#include "platform/numbers.h"

#include "platform/decimal.h"

#include <cmath>
#include <cstdlib>

namespace kestrow::numbers {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i])) ++i;
    return i;
}

// One number read from a text: its sign, its digits without the separator,
// and the power of ten of the last of them.
struct Scanned {
    std::size_t end = 0;  // just past the last character read; 0 = no number
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

// Reads [+-]? (digits [sep digits?] | sep digits) ([eE] [+-]? digits)? from
// the start of `s`. An "E" without digits is left unread, so "15E" reads as
// "15" followed by a stray "E".
Scanned scan(std::string_view s, std::string_view sep)
{
    Scanned out;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        out.negative = s[i] == '-';
        ++i;
    }
    const std::size_t intEnd = skipDigits(s, i);
    const std::string_view intDigits = s.substr(i, intEnd - i);
    std::string_view fracDigits;
    i = intEnd;
    if (s.substr(i).starts_with(sep)) {
        const std::size_t fracStart = i + sep.size();
        const std::size_t fracEnd = skipDigits(s, fracStart);
        fracDigits = s.substr(fracStart, fracEnd - fracStart);
        i = fracEnd;
    }
    // A lone separator is no number; "5." and ".5" are.
    if (intDigits.empty() && fracDigits.empty()) return out;

    (out.digits = intDigits) += fracDigits;
    out.exponent = -static_cast<long long>(fracDigits.size());
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t expEnd = skipDigits(s, j);
        if (expEnd > j) {
            // Saturated far beyond any double's range, so absurd exponents
            // cannot overflow.
            long long written = 0;
            for (char c : s.substr(j, expEnd - j))
                if (written < 1'000'000'000) written = written * 10 + (c - '0');
            out.exponent += s[i + 1] == '-' ? -written : written;
            i = expEnd;
        }
    }
    out.end = i;
    return out;
}

}  // namespace

std::optional<double> value(std::string_view text, std::string_view decimalSeparator)
{
    if (decimalSeparator.empty()) decimalSeparator = ".";
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    const Scanned number = scan(text, decimalSeparator);
    if (number.end == 0 || number.end != text.size()) return std::nullopt;
    // Too large for a double counts as not numeric, so no field ever holds an
    // infinity; too small is numeric and reads as (signed) zero.
    const double magnitude = decimal::toDouble(number.digits, number.exponent);
    if (std::isinf(magnitude)) return std::nullopt;
    return number.negative ? -magnitude : magnitude;
}

std::string toText(double number)
{
    if (std::isnan(number)) return "NaN";
    if (std::isinf(number)) return number < 0 ? "-Infinity" : "Infinity";
    if (number == 0.0) return "0";  // also for -0.0
    // The few doubles above this would round up past the largest double at
    // 15 digits and give a text no reading accepts; they round down instead.
    constexpr double kLargest15Digits = 1.79769313486231e308;
    if (std::abs(number) > kLargest15Digits) return number < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308";

    const bool negative = number < 0;
    const decimal::Scientific rounded = decimal::rounded(std::abs(number), 15);
    const std::string& digits = rounded.digits;
    const int exponent = rounded.exponent;

    std::string out = negative ? "-" : "";
    if (exponent >= 0 && exponent <= 15) {
        // Whole part padded with zeros, then whatever digits remain.
        const auto wholeLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeLen) return out + digits + std::string(wholeLen - digits.size(), '0');
        return out + digits.substr(0, wholeLen) + "." + digits.substr(wholeLen);
    }
    if (exponent < 0 && exponent >= -5)
        return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    // Beyond that range a plain form would only add zeros: "1.5E+20", "2E-07".
    out += digits.substr(0, 1);
    if (digits.size() > 1) {
        out += '.';
        out += digits.substr(1);
    }
    const int absExp = std::abs(exponent);
    out += exponent < 0 ? "E-" : "E+";
    if (absExp < 10) out += '0';
    return out + std::to_string(absExp);
}

}  // namespace kestrow::numbers
