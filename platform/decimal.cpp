#include "platform/decimal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

namespace kestrow::decimal {
namespace {

// A non-negative integer of any size, 32 bits a limb, least significant first,
// with no zero limb on top (zero has no limbs). Only what the two conversions
// need; nothing here is hot, so plain loops.
class BigNumber {
public:
    explicit BigNumber(std::uint64_t value = 0)
    {
        for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
    }

    bool isZero() const { return limbs_.empty(); }

    std::size_t bitLength() const
    {
        return limbs_.empty() ? 0 : 32 * limbs_.size() - static_cast<std::size_t>(std::countl_zero(limbs_.back()));
    }

    // this = this × factor + addend
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend = 0)
    {
        std::uint64_t carry = addend;
        for (auto& limb : limbs_) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
        trim();
    }

    void multiplyByPowerOf(std::uint32_t base, std::size_t power)
    {
        // The largest power of 5 or 10 that fits a limb, as often as it goes.
        const std::size_t step = base == 5 ? 13 : 9;
        std::uint32_t big = 1;
        for (std::size_t i = 0; i < step; ++i) big *= base;
        for (; power >= step; power -= step) multiplyAdd(big);
        for (; power > 0; --power) multiplyAdd(base);
    }

    void shiftLeft(std::size_t bits)
    {
        if (isZero() || bits == 0) return;
        const std::size_t whole = bits / 32;
        const unsigned part = bits % 32;
        if (part != 0) {
            std::uint32_t carry = 0;
            for (auto& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - part);
                limb = (limb << part) | carry;
                carry = next;
            }
            if (carry != 0) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), whole, 0);
    }

    void shiftRightOne()
    {
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << 31 : 0;
            limbs_[i] = (limbs_[i] >> 1) | high;
        }
        trim();
    }

    // this -= smaller, where smaller <= this
    void subtract(const BigNumber& smaller)
    {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            std::int64_t difference = std::int64_t{limbs_[i]} - borrow;
            if (i < smaller.limbs_.size()) difference -= smaller.limbs_[i];
            borrow = difference < 0 ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
        }
        trim();
    }

    // this /= divisor; returns the remainder
    std::uint32_t divide(std::uint32_t divisor)
    {
        std::uint64_t remainder = 0;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            const std::uint64_t current = (remainder << 32) | *limb;
            *limb = static_cast<std::uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }

    friend bool operator<(const BigNumber& a, const BigNumber& b)
    {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size();
        return std::lexicographical_compare(a.limbs_.rbegin(), a.limbs_.rend(), b.limbs_.rbegin(), b.limbs_.rend());
    }

private:
    void trim()
    {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }

    std::vector<std::uint32_t> limbs_;
};

// quotient = numerator / denominator and numerator = the remainder, for a
// quotient known to be below 2^64: long division, one bit at a time.
std::uint64_t divideInto(BigNumber& numerator, BigNumber denominator)
{
    denominator.shiftLeft(63);
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        if (!(numerator < denominator)) {
            numerator.subtract(denominator);
            quotient |= std::uint64_t{1} << bit;
        }
        denominator.shiftRightOne();
    }
    return quotient;
}

constexpr int kMantissaBits = 52;        // stored; a normal double has one more, implied
constexpr int kMinimumExponent = -1074;  // of the smallest subnormal's one bit
constexpr int kMaximumExponent = 1023;   // of the largest double's leading bit
constexpr int kExponentBias = 1023;

// The double nearest to a value of 64 significant bits, significand ×
// 2^(leading - 63) with significand's top bit set, plus something less than
// its last bit when `inexact` (the division left a remainder).
double roundToDouble(std::uint64_t significand, bool inexact, int leading)
{
    // The place of the lowest bit kept: 53 bits for a normal double, fewer
    // below the smallest normal.
    int lowest = std::max(leading - kMantissaBits, kMinimumExponent);
    const int dropped = lowest - (leading - 63);  // at least 11
    if (dropped > 64) return 0.0;                 // below half the smallest subnormal
    std::uint64_t kept = dropped == 64 ? 0 : significand >> dropped;
    const std::uint64_t rest = dropped == 64 ? significand : significand & ((std::uint64_t{1} << dropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (inexact || (kept & 1) != 0))) ++kept;
    constexpr std::uint64_t kImplied = std::uint64_t{1} << kMantissaBits;
    if (kept == 2 * kImplied) {  // rounded up to the next power of two
        kept = kImplied;
        ++lowest;
    }
    if (kept < kImplied) return std::bit_cast<double>(kept);  // subnormal
    const int exponent = lowest + kMantissaBits;
    if (exponent > kMaximumExponent) return std::numeric_limits<double>::infinity();
    const auto biased = static_cast<std::uint64_t>(exponent + kExponentBias);
    return std::bit_cast<double>((biased << kMantissaBits) | (kept - kImplied));
}

// No double needs more significant digits than this to be told from its
// neighbours and the midpoints between them (767 at most).
constexpr std::size_t kDigitsThatDecide = 800;

}  // namespace

double toDouble(std::string_view digits, long long exponent)
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return 0.0;
    digits.remove_prefix(first);
    const std::size_t last = digits.find_last_not_of('0');
    exponent += static_cast<long long>(digits.size() - last - 1);
    digits.remove_suffix(digits.size() - last - 1);

    // The value lies in [10^(end - 1), 10^end).
    const long long end = static_cast<long long>(digits.size()) + exponent;
    if (end > 309) return std::numeric_limits<double>::infinity();
    if (end < -323) return 0.0;  // below 1E-324, under half the smallest subnormal

    // Digits past those that decide are not zero (trailing zeros are gone):
    // one "1" just past the cut stands for all of them, and rounds the same.
    BigNumber numerator;
    bool cut = false;
    if (digits.size() > kDigitsThatDecide) {
        exponent += static_cast<long long>(digits.size() - kDigitsThatDecide) - 1;
        digits = digits.substr(0, kDigitsThatDecide);
        cut = true;
    }
    for (char c : digits) numerator.multiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    if (cut) numerator.multiplyAdd(10, 1);

    BigNumber denominator(1);
    if (exponent >= 0) numerator.multiplyByPowerOf(10, static_cast<std::size_t>(exponent));
    else denominator.multiplyByPowerOf(10, static_cast<std::size_t>(-exponent));

    // Scale by 2^shift so that the quotient has exactly 64 bits.
    long long shift =
        63 - (static_cast<long long>(numerator.bitLength()) - static_cast<long long>(denominator.bitLength()));
    if (shift > 0) numerator.shiftLeft(static_cast<std::size_t>(shift));
    else denominator.shiftLeft(static_cast<std::size_t>(-shift));
    BigNumber lowestOf64Bits = denominator;
    lowestOf64Bits.shiftLeft(63);
    if (numerator < lowestOf64Bits) {
        numerator.shiftLeft(1);
        ++shift;
    }
    const std::uint64_t quotient = divideInto(numerator, denominator);
    return roundToDouble(quotient, !numerator.isZero(), static_cast<int>(63 - shift));
}

Scientific rounded(double positive, std::size_t significantDigits)
{
    // positive = significand × 2^exponent exactly
    const auto bits = std::bit_cast<std::uint64_t>(positive);
    const auto biased = static_cast<int>(bits >> kMantissaBits);
    std::uint64_t significand = bits & ((std::uint64_t{1} << kMantissaBits) - 1);
    int exponent = kMinimumExponent;
    if (biased != 0) {
        significand |= std::uint64_t{1} << kMantissaBits;
        exponent = biased - kExponentBias - kMantissaBits;
    }

    // All its decimal digits: significand × 2^exponent, or for a negative
    // exponent (significand × 5^-exponent) × 10^exponent.
    BigNumber whole(significand);
    int decimalExponent = 0;
    if (exponent >= 0) {
        whole.shiftLeft(static_cast<std::size_t>(exponent));
    } else {
        whole.multiplyByPowerOf(5, static_cast<std::size_t>(-exponent));
        decimalExponent = exponent;
    }
    std::string digits;
    while (!whole.isZero()) {
        std::uint32_t group = whole.divide(1'000'000'000);
        for (int i = 0; i < 9; ++i, group /= 10) digits += static_cast<char>('0' + group % 10);
    }
    digits.erase(digits.find_last_not_of('0') + 1);  // the last group's leading zeros
    std::reverse(digits.begin(), digits.end());

    Scientific out{digits, decimalExponent + static_cast<int>(digits.size()) - 1};
    if (out.digits.size() > significantDigits) {
        const char next = out.digits[significantDigits];
        const bool beyondHalf = out.digits.find_first_not_of('0', significantDigits + 1) != std::string::npos;
        const bool lastOdd = (out.digits[significantDigits - 1] - '0') % 2 != 0;
        out.digits.resize(significantDigits);
        if (next > '5' || (next == '5' && (beyondHalf || lastOdd))) {
            // Round up: trailing nines become zeros, all nines become "1" one place up.
            const std::size_t notNine = out.digits.find_last_not_of('9');
            if (notNine == std::string::npos) {
                out.digits = "1";
                ++out.exponent;
            } else {
                out.digits.resize(notNine + 1);
                ++out.digits.back();
            }
        }
    }
    out.digits.erase(out.digits.find_last_not_of('0') + 1);
    return out;
}

}  // namespace kestrow::decimal
