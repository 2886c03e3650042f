// Exact conversions between decimal digits and doubles, rounded to nearest
// with ties to even, as the C and C++ standard libraries round them. Written
// out here because <charconv>'s general routines bring some 200 KB of tables
// into the statically linked kestrow.exe, for the few numbers a field holds.
#pragma once

#include <string>
#include <string_view>

namespace kestrow::decimal {

// The double nearest to digits × 10^exponent. `digits` holds ASCII digits
// only, any number of them, leading zeros allowed; none at all stand for zero.
// Too large for a double gives +infinity, too small +0.
double toDouble(std::string_view digits, long long exponent);

// A positive number in scientific form, digits[0].digits[1..] × 10^exponent,
// with no "0" first or last.
struct Scientific {
    std::string digits;
    int exponent = 0;
};

// A positive finite double rounded to at most `significantDigits` digits.
Scientific rounded(double positive, std::size_t significantDigits);

}  // namespace kestrow::decimal
