// Fuzzes the two readings of a text as a number and the number-to-text
// form. The timer window relies on them agreeing: a field that passes the
// numeric test must convert, and a decremented value written back must read
// as numeric again, or a running countdown would reset a field to "0".
// Both are also compared with the standard library's from_chars and to_chars
// (numbers_std.cpp), bit for bit and character for character.
#include "platform/numbers.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace kestrow::numbers_std {
std::optional<double> value(std::string_view text, std::string_view decimalSeparator);
std::string toText(double number);
}  // namespace kestrow::numbers_std

namespace {

using namespace kestrow;

[[noreturn]] void fail(const char* what, std::string_view text, const std::string& detail = {})
{
    std::fprintf(stderr, "numbers_fuzz: %s\n  text: \"%.*s\"\n  %s\n", what, static_cast<int>(text.size()), text.data(),
                 detail.c_str());
    std::abort();
}

std::string show(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

// Every finite double has a text form that reads back.
bool writable(double x) { return std::isfinite(x); }

void checkText(std::string_view text)
{
    for (std::string_view sep : {std::string_view("."), std::string_view(",")}) {
        const auto v = numbers::value(text, sep);
        if (v && !std::isfinite(*v)) fail("value is not finite", text, show(*v));
        const auto expected = numbers_std::value(text, sep);
        if (v.has_value() != expected.has_value() ||
            (v && std::bit_cast<std::uint64_t>(*v) != std::bit_cast<std::uint64_t>(*expected)))
            fail("value differs from from_chars", text, v ? show(*v) : "not numeric");
    }
    const auto plain = numbers::value(text, ".");
    if (plain && writable(*plain - 1)) {
        // The countdown writes value - 1 back into the field.
        const std::string less = numbers::toText(*plain - 1);
        if (!numbers::value(less, ".")) fail("decremented value writes a non-numeric text", text, less);
    }
}

void checkNumber(double x)
{
    const std::string text = numbers::toText(x);
    if (text != numbers_std::toText(x)) fail("toText differs from to_chars", text, numbers_std::toText(x));
    if (!writable(x)) return;
    const auto back = numbers::value(text, ".");
    if (!back) fail("toText gives a text that is not numeric", text, show(x));
    // Fifteen significant digits: the reading is within rounding of x, and
    // writing that reading again gives the very same text.
    const double tolerance = std::fabs(x) * 1e-14 + (std::fabs(x) < 1e-300 ? 1e-300 : 0.0);
    if (std::fabs(*back - x) > tolerance) fail("toText does not read back near the number", text, show(x));
    if (std::isnormal(x) && numbers::toText(*back) != text)
        fail("toText is not stable through value", text, numbers::toText(*back));
    if (x == std::trunc(x) && std::fabs(x) < 1e15 && text.find_first_of(".Ee") != std::string::npos)
        fail("whole number written with a point or exponent", text, show(x));
    if (text.size() > 1 && text[0] == '0' && text[1] != '.') fail("leading zero", text, show(x));
    if (text.find(',') != std::string::npos) fail("toText ignored the fixed point", text, show(x));
}

// The hardest texts to read: the exact midpoint between a double and the
// next one up (a long double holds it exactly), written out to some number
// of digits, so it is cut short or rounded one way or the other.
std::string nearMidpoint(double x, int digits)
{
    const long double midpoint = (static_cast<long double>(x) + std::nextafter(x, HUGE_VAL)) / 2;
    char buf[900];
    std::snprintf(buf, sizeof buf, "%.*Le", digits, midpoint);
    return buf;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const double raw = provider.ConsumeFloatingPoint<double>();
    double bits = 0;
    if (provider.remaining_bytes() >= sizeof bits) {
        const auto bytes = provider.ConsumeBytes<std::uint8_t>(sizeof bits);
        std::memcpy(&bits, bytes.data(), sizeof bits);
    }
    const std::string text = provider.ConsumeRemainingBytesAsString();

    checkText(text);
    checkNumber(raw);
    checkNumber(bits);
    if (const auto v = numbers::value(text, ".")) checkNumber(*v);
    if (std::isfinite(bits) && std::fabs(bits) < 1.7e308 && std::isfinite(raw))
        checkText(nearMidpoint(bits, static_cast<int>(std::fmod(std::fabs(raw), 800.0))));
    return 0;
}
