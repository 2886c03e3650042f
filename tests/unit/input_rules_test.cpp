#include "platform/input_rules.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

TEST(InputRules, ARepeatedEnterAndAClickOnAnUnusableControlCountForNothingAndAnUnansweredBoxDeclines)
{
    EXPECT_FALSE(keyDownPresses(true, true));
    EXPECT_TRUE(keyDownPresses(true, false));
    EXPECT_TRUE(keyDownPresses(false, true));
    EXPECT_TRUE(takesClick(true, true));
    EXPECT_FALSE(takesClick(false, true));
    EXPECT_FALSE(takesClick(true, false));
    EXPECT_EQ(unansweredBox(MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(unansweredBox(MessageButtons::Ok), MessageResult::Ok);
}

}  // namespace
}  // namespace kestrow
