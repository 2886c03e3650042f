#include "platform/input_rules.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

TEST(InputRules, OnlyARepeatedEnterPressesNothingAndAnUnansweredBoxDeclines)
{
    EXPECT_FALSE(keyDownPresses(true, true));
    EXPECT_TRUE(keyDownPresses(true, false));
    EXPECT_TRUE(keyDownPresses(false, true));
    EXPECT_EQ(unansweredBox(MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(unansweredBox(MessageButtons::Ok), MessageResult::Ok);
}

}  // namespace
}  // namespace kestrow
