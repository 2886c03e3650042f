#include "platform/command.h"
#include "timer_window/actions.h"

#include <gtest/gtest.h>

namespace kestrow {
namespace {

TEST(CommandRule, TakesOnlyTheCommandsTheWindowsBuild)
{
    for (const Action& action : kActions) {
        EXPECT_FALSE(commandRefusal(immediateCommand(action))) << immediateCommand(action).line();
        if (action.delayable()) {
            EXPECT_FALSE(commandRefusal(delayedCommand(action, kMaxShutdownDelay)));
        }
    }
    EXPECT_FALSE(commandRefusal(shutdownCommand({"-a"})));
    EXPECT_FALSE(commandRefusal(openPageCommand("https://tieba.baidu.com/f?kw=vornic")));

    for (const Command& refused : {
             shutdownCommand({"-s", "-t", "315360001"}), shutdownCommand({"-s", "-t", "060"}),
             shutdownCommand({"-s", "-t", "-1"}), shutdownCommand({"-s", "-t", "1.5"}),
             shutdownCommand({"", "-t", "60"}), shutdownCommand({"-h", "-t", "60"}), shutdownCommand({"-a", "-f"}),
             shutdownCommand({}), openPageCommand("http://example.invalid"), openPageCommand("https://a b"),
             openPageCommand("https://a\"b"), openPageCommand("https://"), Command{Tool::Explorer, {}},
         }) {
        EXPECT_TRUE(commandRefusal(refused)) << refused.line();
    }
}

TEST(CommandRule, LineIsWhatAUserWouldType)
{
    EXPECT_EQ(delayedCommand(*findAction("重启"), 60).line(), "shutdown -r -t 60");
    EXPECT_EQ(immediateCommand(*findAction("休眠")).line(), "shutdown -h");
    EXPECT_EQ(openPageCommand("https://x.invalid").line(), "explorer.exe https://x.invalid");
    EXPECT_EQ(findAction("关机 "), nullptr);
}

}  // namespace
}  // namespace kestrow
