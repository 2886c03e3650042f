#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using kestrow::numbers::toText;
using kestrow::numbers::value;

struct ValueCase {
    const char* text;
    std::optional<double> expected;  // nullopt: not numeric
};

constexpr auto no = std::nullopt;

// clang-format off: the table keeps its columns
// Texts whose reading does not depend on which separator is in force.
const std::vector<ValueCase> kSeparatorFree = {
    {"0", 0.0}, {"15", 15.0}, {"007", 7.0}, {"+2", 2.0}, {"-3", -3.0},
    {" 7 ", 7.0}, {"\t7\t", 7.0}, {"   -12  ", -12.0},
    {"1E5", 1e5}, {"1e5", 1e5}, {"1E+2", 100.0}, {"25e-1", 2.5}, {"-1E2", -100.0},
    {"1E400", no}, {"-1E400", no}, {"1E99999999999999999999", no},
    {"1E-400", 0.0}, {"-1E-400", 0.0}, {"1E-99999999999999999999", 0.0},
    {"0E99999", 0.0}, {"1E-310", 1e-310},
    {"", no}, {" ", no}, {"\t \t", no}, {"+", no}, {"-", no}, {" - ", no},
    {"1E", no}, {"15E", no}, {"1E+", no}, {"1E-", no}, {"E5", no}, {"e", no},
    // Halfway between two doubles: to the even one.
    {"9007199254740993", 9007199254740992.0}, {"9007199254740995", 9007199254740996.0},
    {"1E5.0", no}, {"1E5E5", no}, {"1E 5", no},
    {"15a", no}, {"a15", no}, {"abc", no}, {"1 5", no}, {"- 5", no}, {"+-5", no},
    {"--5", no}, {"5-", no}, {"(5)", no}, {"0x10", no}, {"&H10", no}, {"1d5", no},
    {"inf", no}, {"-infinity", no}, {"nan", no}, {"$5", no}, {"5€", no},
    {"1\n", no}, {"\n1", no},
};

const std::vector<ValueCase> kPointSeparator = {
    {"1.5", 1.5}, {"-0.25", -0.25}, {"+.5", 0.5}, {".5", 0.5}, {"5.", 5.0},
    {" 1.5E2 ", 150.0}, {"1.E2", 100.0}, {".5e1", 5.0}, {"1.7976931348623157E308", 1.7976931348623157e308},
    // Either side of half the smallest subnormal and of halfway past the largest double.
    {"2.4703282292062328E-324", 5e-324}, {"2.4703282292062327E-324", 0.0},
    {"1.7976931348623158E308", 1.7976931348623157e308}, {"1.7976931348623159E308", no},
    {".", no}, {"-.", no}, {" . ", no}, {".E5", no}, {"1.2.3", no}, {"1..2", no},
    {"1,5", no}, {"1,000", no}, {"1,000.5", no}, {"1. 5", no},
};

const std::vector<ValueCase> kCommaSeparator = {
    {"1,5", 1.5}, {"-0,25", -0.25}, {",5", 0.5}, {"5,", 5.0}, {"1,5E2", 150.0},
    {",", no}, {"+,", no}, {"1,2,3", no}, {"1.5", no}, {"1.000,5", no}, {".5", no},
};

// A separator longer than one byte: ARABIC DECIMAL SEPARATOR, U+066B.
const std::vector<ValueCase> kArabicSeparator = {
    {"1\u066B5", 1.5}, {"\u066B25", 0.25}, {"\u066B", no}, {"1.5", no},
    {"1\xD9", no},  // only the first byte of the separator
};
// clang-format on

void checkTable(const std::vector<ValueCase>& table, std::string_view sep)
{
    for (const auto& c : table) {
        SCOPED_TRACE(std::string("text [") + c.text + "] separator [" + std::string(sep) + "]");
        const auto got = value(c.text, sep);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (got) {
            EXPECT_EQ(*got, *c.expected);
            EXPECT_FALSE(std::isinf(*got));
        }
    }
}

TEST(NumbersValue, SeparatorFreeFormsReadTheSameUnderEverySeparator)
{
    for (std::string_view sep : {".", ",", "\u066B"}) checkTable(kSeparatorFree, sep);
}

TEST(NumbersValue, PointSeparator) { checkTable(kPointSeparator, "."); }
TEST(NumbersValue, CommaSeparator) { checkTable(kCommaSeparator, ","); }
TEST(NumbersValue, MultiByteSeparator) { checkTable(kArabicSeparator, "\u066B"); }

TEST(NumbersValue, DigitsFarPastHalfwayStillRoundUp)
{
    EXPECT_EQ(value("9007199254740993." + std::string(800, '0') + "1", "."), 9007199254740994.0);
}

TEST(NumbersValue, EmptySeparatorFallsBackToPoint)
{
    EXPECT_EQ(value("1.5", ""), 1.5);
    EXPECT_FALSE(value("1,5", ""));
}

TEST(NumbersToText, Table)
{
    const struct {
        double number;
        const char* expected;
    } cases[] = {
        // clang-format off
        {0.0, "0"}, {-0.0, "0"}, {5400.0, "5400"}, {59.0, "59"}, {-1.0, "-1"}, {-3.0, "-3"},
        {0.5, "0.5"}, {-0.5, "-0.5"}, {1.25, "1.25"}, {1.5 - 1, "0.5"}, {0.1 + 0.2, "0.3"},
        {1e15, "1000000000000000"}, {-1e15, "-1000000000000000"}, {123456789012.0, "123456789012"},
        {999999999999999.0, "999999999999999"}, {1234567890.125, "1234567890.125"},
        {0.0001, "0.0001"}, {0.00001, "0.00001"}, {1e-6, "1E-06"}, {1.5e20, "1.5E+20"},
        {1e16, "1E+16"}, {-2.5e-300, "-2.5E-300"}, {1e100, "1E+100"},
        {1.0 / 3.0, "0.333333333333333"}, {2.0 / 3.0, "0.666666666666667"},
        // Halfway at the 15th digit: to the even one, carried through nines.
        {1234567890123455.0, "1234567890123460"}, {1234567890123445.0, "1234567890123440"},
        {999999999999999.5, "1000000000000000"}, {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), "Infinity"},
        // Rounding the largest doubles up would leave no readable text.
        {std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(toText(c.number), c.expected);
    }
}

TEST(NumbersToText, ReadsBackUnderThePointSeparator)
{
    for (double n : {0.0, 1.0, -1.0, 59.0, 5400.0, 0.5, -0.75, 1.25, 12.5, 86400.0, 1e15, 123456789012.0, 1e-6, 1.5e20,
                     -2.5e-300, 3.14159265358979}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(value(toText(n), "."), n);
    }
    EXPECT_TRUE(value(toText(std::numeric_limits<double>::max()), "."));
}

}  // namespace
