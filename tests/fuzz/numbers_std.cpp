// The number readings as they were written on <charconv>'s from_chars and
// to_chars, before platform/decimal.cpp took their place in kestrow.exe; kept
// for numbers_fuzz only, which checks the two give the very same results.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrow::numbers_std {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i])) ++i;
    return i;
}

// One number read from a text, rewritten in the plain "C" form that
// std::from_chars takes: no "+", "." as the point, "e" before the exponent.
struct Scanned {
    std::size_t end = 0;  // just past the last character read; 0 = no number
    std::string plain;
};

// Reads [+-]? (digits [sep digits?] | sep digits) ([eE] [+-]? digits)? from
// the start of `s`. An "E" without digits is left unread, so "15E" reads as
// "15" followed by a stray "E".
Scanned scan(std::string_view s, std::string_view sep)
{
    Scanned out;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') out.plain += '-';
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

    out.plain += intDigits.empty() ? std::string_view("0") : intDigits;
    if (!fracDigits.empty()) (out.plain += '.') += fracDigits;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t expEnd = skipDigits(s, j);
        if (expEnd > j) {
            out.plain += 'e';
            if (s[i + 1] == '-') out.plain += '-';
            out.plain += s.substr(j, expEnd - j);
            i = expEnd;
        }
    }
    out.end = i;
    return out;
}

// Power of ten of the leading significant digit of a plain form, saturated so
// absurd exponents cannot overflow. Only its sign matters: it tells overflow
// from underflow when from_chars reports a result out of range.
long long magnitude(std::string_view plain)
{
    const std::size_t ePos = plain.find('e');
    const std::string_view mantissa = plain.substr(0, ePos);
    long long exponent = 0;
    if (ePos != std::string_view::npos) {
        const bool negative = plain[ePos + 1] == '-';
        for (char c : plain.substr(ePos + (negative ? 2 : 1)))
            if (exponent < 1'000'000) exponent = exponent * 10 + (c - '0');
        if (negative) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("-0.");
    if (first == std::string_view::npos) return 0;  // all zeros: never out of range
    const long long lead =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    return lead + exponent;
}

// Converts a plain form. An overflow gives a signed infinity, an underflow a
// signed zero; value() decides what an infinity means.
double convert(std::string_view plain)
{
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        const double sign = plain.starts_with('-') ? -1.0 : 1.0;
        result = magnitude(plain) > 0 ? sign * HUGE_VAL : sign * 0.0;
    }
    return result;
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
    // infinity; too small is numeric and reads as zero.
    const double result = convert(number.plain);
    if (std::isinf(result)) return std::nullopt;
    return result;
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

    // Rounded to 15 significant digits: "d.dddddddddddddde[+-]xx".
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, number, std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const bool negative = sci.front() == '-';
    const std::size_t ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0)))
        if (isDigit(c)) digits += c;
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());

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

}  // namespace kestrow::numbers_std
