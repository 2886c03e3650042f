// Three readings of a text as a number, and a number back to text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrow::numbers {

// Whether the locale-aware conversion accepts the whole text: digits with at
// most one decimal separator, an optional leading sign, an optional exponent
// ("E" or "e", optional sign, digits) and blanks at either end.
bool isNumeric(std::string_view text, std::string_view decimalSeparator);

// The number a numeric text stands for; nullopt for any other text.
std::optional<double> value(std::string_view text, std::string_view decimalSeparator);

// Ignores blanks, tabs and line feeds anywhere, then reads the longest
// beginning that is a decimal number with "." as separator; 0 if none.
double leadingNumber(std::string_view text);

// Shortest decimal form: whole numbers without a point or exponent, a
// negative number with a leading "-".
std::string toText(double number);

}  // namespace kestrow::numbers
