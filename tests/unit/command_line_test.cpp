#include "platform/command_line.h"
#include "timer_window/actions.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

TEST(CommandRule, TakesOnlyTheCommandsTheWindowsBuild)
{
    for (const Action& action : kActions) {
        EXPECT_FALSE(commandLineRefusal(immediateCommandLine(action))) << immediateCommandLine(action).text();
        if (action.delayable()) {
            EXPECT_FALSE(commandLineRefusal(delayedCommandLine(action, kMaxShutdownDelay)));
        }
    }
    EXPECT_FALSE(commandLineRefusal(shutdownCommandLine({"-a"})));
    EXPECT_FALSE(commandLineRefusal(openPageCommandLine("https://tieba.baidu.com/f?kw=vornic")));

    for (const CommandLine& refused : {
             shutdownCommandLine({"-s", "-t", "315360001"}),
             shutdownCommandLine({"-s", "-t", "060"}),
             shutdownCommandLine({"-s", "-t", "-1"}),
             shutdownCommandLine({"-s", "-t", "1.5"}),
             shutdownCommandLine({"", "-t", "60"}),
             shutdownCommandLine({"-h", "-t", "60"}),
             shutdownCommandLine({"-a", "-f"}),
             shutdownCommandLine({}),
             openPageCommandLine("http://example.invalid"),
             openPageCommandLine("https://a b"),
             openPageCommandLine("https://a\"b"),
             openPageCommandLine("https://"),
             CommandLine{Tool::Explorer, {}},
         }) {
        EXPECT_TRUE(commandLineRefusal(refused)) << refused.text();
    }
}

// The lines themselves are checked where the windows issue them.
TEST(CommandRule, AnActionIsFoundByItsExactName) { EXPECT_EQ(findAction("关机 "), nullptr); }

}  // namespace
}  // namespace kestrow
