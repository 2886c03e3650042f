// The reading of a text as a number, and a number back to text. Neither
// consults the C locale: the caller passes the user's decimal separator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrow::numbers {

// The number a text stands for, read the locale-aware way, or nullopt if
// the whole text is not a number: digits with at most one decimal
// separator, an optional leading sign, an optional exponent ("E" or "e",
// optional sign, digits) and blanks (spaces, tabs) at either end. "5." and
// ".5" read; a lone sign or separator, inner blanks, letters, digit groups,
// currency, hexadecimal, "inf" and "nan" do not, nor does a magnitude too
// large for a double. An empty separator stands for ".". Never infinite; a
// magnitude too small for a double reads as (signed) zero.
std::optional<double> value(std::string_view text, std::string_view decimalSeparator);

// Shortest decimal form with up to 15 significant digits and "." as the
// point: whole numbers without a point or exponent, a negative number with a
// leading "-", negative zero as "0". Magnitudes from 1E-05 to below 1E+16 are
// written out in full; others take an exponent ("1.5E+20", "1E-06"), which
// value() reads back. Infinities and NaN give "Infinity", "-Infinity", "NaN".
std::string toText(double number);

}  // namespace kestrow::numbers
