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
        int notifications;  // the user's change plus the nested runs
        bool focusMoved;
    };
    const std::vector<Row> rows = {
        {"15", "15", 1, false},      {"", "0", 2, false},          {"15a", "0", 3, true},
        {"a15", "0", 3, true},       {"abc", "0", 3, true},        {"15E", "0", 3, true},
        {"1E5", "1E5", 1, false},    {"1E2", "1E2", 1, false},     {"1.5", "1.5", 1, false},
        {"-3", "-3", 1, false},      {"+2", "+2", 1, false},       {" 7 ", " 7 ", 1, false},
        {"500", "500", 1, false},    {" ", "0", 3, true},          {"-", "0", 3, true},
        // Full-width digits and point, as typed in a full-width input mode.
        {"１２", "12", 2, false},    {"２．５", "2.5", 2, false},   {"１a", "0", 4, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("'" + row.typed + "'");
        Fields f;
        auto& minutes = f.field(3);
        minutes.type(row.typed);
        EXPECT_EQ(minutes.text(), row.shown);
        EXPECT_EQ(minutes.changeNotifications(), row.notifications);
        // The focus starts in Text1, first in the focus order.
        EXPECT_EQ(minutes.hasFocus(), row.focusMoved);
    }
}

TEST(DurationFields, EachHandlerMindsItsOwnField)
{
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        Fields f;
        const std::string before[] = {f.field(1).text(), f.field(2).text(), f.field(3).text(),
                                      f.field(4).text()};
        f.field(i).type("x");
        for (int j = 1; j <= 4; ++j) EXPECT_EQ(f.field(j).text(), j == i ? "0" : before[j - 1]);
        EXPECT_TRUE(f.field(i).hasFocus());
    }
}

TEST(DurationFields, ProgramAssignmentsPassUnchanged)
{
    Fields f;
    for (const char* text : {"0", "1", "12", "23", "24", "59", "-1", "0.5", "86399"}) {
        auto& seconds = f.field(4);
        const int before = seconds.changeNotifications();
        seconds.setText(text);
        EXPECT_EQ(seconds.text(), text);
        EXPECT_EQ(seconds.changeNotifications(), before + 1) << text;
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
