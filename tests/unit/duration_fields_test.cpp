#include "tests/support/shown_timer_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow {
namespace {

using Fields = ShownTimerWindow;

TEST(DurationFields, UserEditsTable)
{
    struct Row {
        std::string typed, shown;
        bool focusMoved;
    };
    // clang-format off: the table keeps its columns
    const std::vector<Row> rows = {
        {"15", "15", false},   {"", "0", false},      {"15a", "0", true},    {"a15", "0", true},
        {"abc", "0", true},    {"15E", "0", true},    {"1E5", "1E5", false}, {"1E2", "1E2", false},
        {"1.5", "1.5", false}, {"-3", "-3", false},   {"+2", "+2", false},   {" 7 ", " 7 ", false},
        {"500", "500", false}, {" ", "0", true},      {"-", "0", true},
        // Full-width digits and point, as typed in a full-width input mode.
        {"１２", "12", false}, {"２．５", "2.5", false}, {"１a", "0", true},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE("'" + row.typed + "'");
        Fields f;
        auto& minutes = f.field(3);
        minutes.type(row.typed);
        EXPECT_EQ(minutes.text(), row.shown);
        // The focus starts in Text1, first in the focus order.
        EXPECT_EQ(minutes.hasFocus(), row.focusMoved);
    }
}

TEST(DurationFields, EachHandlerMindsItsOwnField)
{
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        Fields f;
        const std::string before[] = {f.field(1).text(), f.field(2).text(), f.field(3).text(), f.field(4).text()};
        f.field(i).type("x");
        for (int j = 1; j <= 4; ++j) EXPECT_EQ(f.field(j).text(), j == i ? "0" : before[j - 1]);
        EXPECT_TRUE(f.field(i).hasFocus());
    }
}

TEST(DurationFields, ProgramAssignmentsPassUnchanged)
{
    Fields f;
    for (const char* text : {"0", "1", "12", "23", "24", "59", "-1", "0.5", "86399"}) {
        f.field(4).setText(text);
        EXPECT_EQ(f.field(4).text(), text);
    }
    EXPECT_TRUE(f.field(1).hasFocus());
}

TEST(DurationFields, FollowTheLocaleDecimalSeparator)
{
    Fields f;
    f.platform.setDecimalSeparator(",");
    f.field(2).type("1,5");
    EXPECT_EQ(f.field(2).text(), "1,5");
    f.field(2).type("1.5");
    EXPECT_EQ(f.field(2).text(), "0");
    EXPECT_TRUE(f.field(2).hasFocus());
}

}  // namespace
}  // namespace kestrow
