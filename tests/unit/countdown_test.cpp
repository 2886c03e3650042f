#include "platform/numbers.h"
#include "tests/support/shown_timer_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace kestrow {
namespace {

const std::string kShutDown = "关机";
const std::string kRestart = "重启";
const std::string kHibernate = "休眠";
const std::string kLogOff = "注销";
const std::string kBackground = "后台模式(推荐)";
const std::string kForeground = "前台模式(无弹窗)";

using Lines = std::vector<std::string>;

const std::string kIdle = "inputs start C6";
const std::string kRunning = "locked stop ticking";
const std::string kIssued = "locked stop";

struct Rig : ShownTimerWindow {
    bool ticking() { return fw.timer("Timer1").enabled(); }
    double total()
    {
        const double per[] = {86400, 3600, 60, 1};
        double sum = 0;
        for (int i = 1; i <= 4; ++i) sum += *numbers::value(field(i).text(), ".") * per[i - 1];
        return sum;
    }

    void start(const std::string& action = kShutDown, const std::string& mode = kBackground)
    {
        fw.combo("Combo1").setText(action);
        fw.combo("Combo2").setText(mode);
        button("Command1").click();
    }
    // Ticks until Timer1 goes off; -1 if it is still on after `limit`.
    int ticksToZero(int limit)
    {
        for (int n = 1; n <= limit; ++n) {
            platform.advance(1000);
            if (!ticking()) return n;
        }
        return -1;
    }

    // The state the window shows, e.g. "inputs start C6" when idle in
    // countdown mode and "locked stop ticking" while counting down.
    std::string layout()
    {
        int enabled = fw.combo("Combo1").enabled() + fw.combo("Combo2").enabled();
        for (int i = 1; i <= 4; ++i) enabled += field(i).enabled();
        std::string s = enabled == 6 ? "inputs" : enabled == 0 ? "locked" : "some inputs";
        if (button("Command1").visible()) s += " start";
        if (button("Command2").visible()) s += " stop";
        if (button("Command5").visible()) s += " schedule";
        if (button("Command6").enabled()) s += " C6";
        if (button("Command7").enabled()) s += " C7";
        return ticking() ? s + " ticking" : s;
    }
};

TEST(CountdownStart, CommandsForEachActionAndRunMode)
{
    struct Row {
        std::string mode, action;
        Lines atStart;
        std::string atZero;
    };
    const std::vector<Row> rows = {
        {kBackground, kShutDown, {"shutdown -s -t 60"}, "shutdown -s -t 0"},
        {kBackground, kRestart, {"shutdown -r -t 60"}, "shutdown -r -t 0"},
        {kBackground, kHibernate, {}, "shutdown -h"},
        {kBackground, kLogOff, {}, "shutdown -l"},
        {kForeground, kShutDown, {}, "shutdown -s -t 0"},
        {kForeground, kRestart, {}, "shutdown -r -t 0"},
        {kForeground, kHibernate, {}, "shutdown -h"},
        {kForeground, kLogOff, {}, "shutdown -l"},
        // Only the exact foreground text counts; full-width parentheses do not.
        {"前台模式（无弹窗）", kShutDown, {"shutdown -s -t 60"}, "shutdown -s -t 0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode + " " + row.action);
        Rig r;
        r.start(row.action, row.mode);
        EXPECT_EQ(r.platform.commands, row.atStart);
        EXPECT_EQ(r.layout(), kRunning);
        EXPECT_EQ(r.button("Command2").caption(), "停止!");

        EXPECT_EQ(r.ticksToZero(100), 60);
        Lines all = row.atStart;
        all.push_back(row.atZero);
        EXPECT_EQ(r.platform.commands, all);
        // The action issued, the running layout stays until the user stops.
        EXPECT_EQ(r.fields(), "0 0 0 0");
        EXPECT_EQ(r.layout(), kIssued);
        EXPECT_TRUE(r.platform.messages.empty());
    }
}

TEST(CountdownTick, TakesExactlyOneSecondPerTick)
{
    struct Row {
        std::string fields, firstTick;
        int ticks;
    };
    const std::vector<Row> rows = {
        {"0 1 0 5", "0 1 0 4", 3605},     {"0 1 0 0", "0 0 59 59", 3600},  {"0 2 0 0", "0 1 59 59", 7200},
        {"1 0 0 0", "0 23 59 59", 86400}, {"0 0 90 0", "0 0 89 59", 5400}, {"0 0 0 100", "0 0 0 99", 100},
        {"0 0 0 1E2", "0 0 0 99", 100},   {"0 0 0 0", "0 0 0 0", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields);
        Rig r;
        r.type(row.fields);
        double before = r.total();
        r.start();
        // The delay handed to the system is the displayed total, which each
        // tick then takes one second off.
        ASSERT_EQ(r.platform.commands, Lines{"shutdown -s -t " + numbers::toText(before)});

        int n = 0;
        while (r.ticking() && n < row.ticks + 1) {
            r.platform.advance(1000);
            if (++n == 1) {
                EXPECT_EQ(r.fields(), row.firstTick);
            }
            ASSERT_EQ(r.total(), before - (before > 0 ? 1 : 0)) << "tick " << n << ": " << r.fields();
            before = r.total();
            if (r.ticking()) {
                ASSERT_EQ(r.platform.commands.size(), 1u) << "tick " << n;
            }
        }
        EXPECT_EQ(n, row.ticks);
        EXPECT_EQ(r.fields(), "0 0 0 0");
        EXPECT_EQ(r.platform.commands.back(), "shutdown -s -t 0");
    }
}

TEST(CountdownTick, ReachesZeroWhileAMessageBoxIsOpen)
{
    Rig r;
    r.type("0 0 0 3");
    r.start(kHibernate, kForeground);
    r.platform.advance(1000);
    r.platform.duringMessage = [&] { r.platform.advance(5000); };
    r.w.help_Click();
    EXPECT_EQ(r.platform.commands, Lines{"shutdown -h"});
    EXPECT_FALSE(r.ticking());
    EXPECT_EQ(r.fields(), "0 0 0 0");
}

TEST(CountdownStop, KeepsRemainingTimeAndTheUnlockAndRestartsFromThem)
{
    Rig r;
    r.start();
    r.unlock();
    r.platform.advance(10'000);
    EXPECT_EQ(r.fields(), "0 0 0 50");

    r.button("Command2").click();
    EXPECT_EQ(r.platform.commands, (Lines{"shutdown -s -t 60", "shutdown -a"}));
    EXPECT_EQ(r.layout(), kIdle);
    EXPECT_EQ(r.fields(), "0 0 0 50");
    // The unlock state is the stop button's, and stopping leaves it alone.
    EXPECT_TRUE(r.button("Command2").enabled());
    EXPECT_EQ(r.button("Command2").caption(), "停止!");
    EXPECT_EQ(r.w.unlockClicks, 3);
    r.platform.advance(5000);
    EXPECT_EQ(r.fields(), "0 0 0 50");

    r.start();
    EXPECT_EQ(r.platform.commands.back(), "shutdown -s -t 50");
    EXPECT_TRUE(r.button("Command2").canClick());
    EXPECT_EQ(r.button("Command4").caption(), "锁定");
    EXPECT_EQ(r.ticksToZero(100), 50);
}

TEST(CountdownStop, AfterTheActionAndInTimePointMode)
{
    Rig r;
    r.type("0 0 0 0");
    r.start(kLogOff);
    r.unlock();
    r.platform.advance(1000);
    ASSERT_EQ(r.platform.commands, Lines{"shutdown -l"});
    r.button("Command2").click();
    EXPECT_EQ(r.platform.commands.back(), "shutdown -a");
    EXPECT_EQ(r.layout(), kIdle);

    // With the time-point indicator up, the stop returns to that mode's idle layout.
    r.start();
    r.w.Label1->setCaption("预定");
    r.button("Command2").click();
    EXPECT_EQ(r.layout(), "inputs schedule C7");
}

TEST(CountdownStart, RefusesDelaysTheToolWouldRefuse)
{
    struct Row {
        std::string fields, mode;
    };
    const std::vector<Row> rows = {
        {"0 0 0 -1", kBackground},    {"0 0 -1 90", kForeground}, {"0 0 1.5 0", kBackground},
        {"0 0 0 1.5", kForeground},   {"0 0 0 1E9", kBackground}, {"3650 0 0 1", kBackground},
        {"1E300 0 0 0", kForeground},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields + " " + row.mode);
        Rig r;
        r.button("Command2").setCaption("取消!");
        r.type(row.fields);
        r.start(kShutDown, row.mode);
        ASSERT_EQ(r.platform.messages.size(), 1u);
        EXPECT_EQ(r.platform.messages[0].prompt, "请输入正确的时间。");
        EXPECT_EQ(r.platform.messages[0].buttons, MessageButtons::Ok);
        EXPECT_FALSE(r.platform.messages[0].title);
        EXPECT_EQ(r.layout(), kIdle);
        EXPECT_EQ(r.button("Command2").caption(), "取消!");
        r.platform.advance(100'000);
        EXPECT_TRUE(r.platform.commands.empty());
    }

    Rig longest;
    longest.type("3650 0 0 0");
    longest.start();
    EXPECT_EQ(longest.platform.commands, Lines{"shutdown -s -t 315360000"});
    EXPECT_EQ(longest.layout(), kRunning);
}

TEST(CountdownStart, UnknownActionChangesNothing)
{
    for (const std::string& mode : {kBackground, kForeground}) {
        SCOPED_TRACE(mode);
        Rig r;
        r.type("0 0 0 2");
        r.start("待机", mode);
        EXPECT_EQ(r.layout(), kIdle);
        EXPECT_EQ(r.button("Command2").caption(), "停止!");
        r.platform.advance(10'000);
        EXPECT_EQ(r.fields(), "0 0 0 2");
        EXPECT_TRUE(r.platform.commands.empty());
        EXPECT_TRUE(r.platform.messages.empty());
    }
}

TEST(CountdownFailure, StartCommandThatCannotRunLeavesWindowIdle)
{
    Rig r;
    r.platform.failWith = "找不到指定的文件。";
    r.start(kRestart);
    EXPECT_EQ(r.platform.prompts(), Lines{"无法运行命令：shutdown -r -t 60\r\n找不到指定的文件。"});
    EXPECT_EQ(r.layout(), kIdle);
    r.platform.advance(5000);
    EXPECT_EQ(r.fields(), "0 0 1 0");

    r.platform.failWith.reset();
    r.start(kRestart);
    EXPECT_EQ(r.platform.commands, Lines{"shutdown -r -t 60"});
    EXPECT_EQ(r.layout(), kRunning);
}

TEST(CountdownFailure, StopThatCannotRunCanBePressedAgain)
{
    Rig r;
    r.start();
    r.unlock();
    r.platform.failWith = "拒绝访问。";
    r.button("Command2").click();
    EXPECT_EQ(r.platform.prompts(), Lines{"无法运行命令：shutdown -a\r\n拒绝访问。"});
    EXPECT_EQ(r.layout(), kIssued);
    EXPECT_TRUE(r.button("Command2").canClick());

    r.platform.failWith.reset();
    r.button("Command2").click();
    EXPECT_EQ(r.platform.commands.back(), "shutdown -a");
    EXPECT_EQ(r.layout(), kIdle);
}

TEST(CountdownFailure, TickIgnoresFailuresAndStillStops)
{
    Rig failing;
    failing.type("0 0 0 2");
    failing.start(kShutDown, kForeground);
    failing.platform.failWith = "拒绝访问。";
    EXPECT_EQ(failing.ticksToZero(10), 2);
    EXPECT_TRUE(failing.platform.messages.empty());

    // A field the locale cannot read (only a write from outside puts one
    // there while the inputs are locked) cannot be counted down; the tick
    // takes it as run out rather than ticking forever.
    Rig unreadable;
    unreadable.type("0 0 0 3");
    unreadable.start(kHibernate, kForeground);
    unreadable.field(4).setText("2.5");
    unreadable.platform.setDecimalSeparator(",");
    EXPECT_EQ(unreadable.ticksToZero(10), 1);
    EXPECT_EQ(unreadable.platform.commands, Lines{"shutdown -h"});
}

TEST(CountdownFailure, TimerTheSystemRefusesIsNoCountdown)
{
    for (const std::string& mode : {kBackground, kForeground}) {
        SCOPED_TRACE(mode);
        Rig r;
        r.fw.timer("Timer1").refuseWith = "存储空间不足。";
        r.type("0 0 1 05");
        r.start(kShutDown, mode);
        EXPECT_EQ(r.platform.prompts(), Lines{"无法启动计时器：存储空间不足。"});
        const Lines withdrawn{"shutdown -s -t 65", "shutdown -a"};
        EXPECT_EQ(r.platform.commands, mode == kBackground ? withdrawn : Lines{});
        EXPECT_EQ(r.layout(), kIdle);
        EXPECT_EQ(r.fields(), "0 0 1 05");
    }

    // Taken back while running: the window says so and stops counting.
    Rig r;
    r.start(kShutDown, kForeground);
    r.fw.timer("Timer1").refuseWith = "存储空间不足。";
    r.platform.advance(1000);
    EXPECT_EQ(r.platform.messages.at(0).prompt, "无法启动计时器：存储空间不足。");
    EXPECT_EQ(r.layout(), kIssued);
}

TEST(CountdownClock, FieldsShowTheTimeReallyLeftThroughStallsAndSleep)
{
    Rig r;
    r.type("0 1 0 0");
    r.start(kShutDown, kForeground);
    r.platform.advance(2500);
    EXPECT_EQ(r.fields(), "0 0 59 58");
    r.platform.jump(3000);  // one merged tick, 2.5 s late
    EXPECT_EQ(r.fields(), "0 0 59 55");
    r.platform.advance(500);  // the next on the whole second all the same
    EXPECT_EQ(r.fields(), "0 0 59 54");
    r.platform.jump(20 * 60'000);  // asleep
    EXPECT_EQ(r.fields(), "0 0 39 54");
    r.platform.jump(3600'000);  // asleep past the deadline: the action on waking
    EXPECT_EQ(r.fields(), "0 0 0 0");
    EXPECT_EQ(r.platform.commands, Lines{"shutdown -s -t 0"});
    EXPECT_EQ(r.layout(), kIssued);
}

TEST(CountdownClock, ATickThatReadsTheClockEarlyComesBackForTheRest)
{
    Rig r;
    r.platform.setClockGranularity(16);  // at 1000 ms it reads 992
    r.type("0 0 0 3");
    r.start(kLogOff, kForeground);
    r.platform.advance(1000);
    EXPECT_EQ(r.fields(), "0 0 0 3");
    r.platform.advance(8);
    EXPECT_EQ(r.fields(), "0 0 0 2");
}

// A value set from outside that no step can change (1E300 less one is
// 1E300) costs a wake-up one step, not one per second slept: the tick comes
// back at once and the countdown goes on as it was.
TEST(CountdownClock, AValueNoStepCanChangeIsSteppedOnceHoweverLongTheSleep)
{
    Rig r;
    r.start(kShutDown, kForeground);
    r.field(4).setText("1E300");
    const auto woken = std::chrono::steady_clock::now();
    r.platform.jump(100LL * 86'400'000);  // 100 days asleep: 8.6 million seconds
    EXPECT_LT(std::chrono::steady_clock::now() - woken, std::chrono::seconds(1));
    EXPECT_EQ(r.fields(), "0 0 1 1E300");
    EXPECT_EQ(r.layout(), kRunning);
}

TEST(CountdownClock, TickReadsTheFieldsAsTheStartAcceptedThem)
{
    Rig r;
    r.platform.setDecimalSeparator(",");
    r.type("0 1,0 0 05");
    r.start();
    EXPECT_EQ(r.platform.commands, Lines{"shutdown -s -t 3605"});
    EXPECT_EQ(r.fields(), "0 1 0 5");
    r.platform.setDecimalSeparator(".");
    r.platform.advance(1000);
    EXPECT_EQ(r.fields(), "0 1 0 4");
    EXPECT_EQ(r.layout(), kRunning);
}

std::string refusedPrompt(const std::string& line, std::uint32_t code)
{
    return "命令执行失败：" + line + "\r\nexit code " + std::to_string(code);
}

TEST(CommandRefusal, RefusedStartOrScheduleRestoresTheIdleWindowExactly)
{
    // Refused at once, and refused late after two ticks had counted down.
    for (const std::int64_t late : {0, 2500}) {
        SCOPED_TRACE(late);
        Rig r;
        r.type("0 0 05 0");
        r.platform.endings.push_back({1190, late});
        r.start(kRestart);
        r.platform.advance(3000);
        EXPECT_EQ(r.layout(), kIdle);
        EXPECT_EQ(r.fields(), "0 0 05 0");
        EXPECT_EQ(r.platform.prompts(), Lines{refusedPrompt("shutdown -r -t 300", 1190)});
        EXPECT_EQ(r.platform.messages[0].owner, "Kestrow");
    }

    Rig scheduled;
    scheduled.platform.setTimeOfDay(11, 0, 0);
    scheduled.button("Command6").click();
    scheduled.platform.endings.push_back({5, 100});
    scheduled.button("Command5").click();
    scheduled.platform.advance(200);
    EXPECT_EQ(scheduled.layout(), "inputs schedule C7");
    EXPECT_EQ(scheduled.button("Command2").caption(), "停止!");
    EXPECT_EQ(scheduled.platform.messages.back().prompt, refusedPrompt("shutdown -s -t 3600", 5));
}

TEST(CommandRefusal, StopWaitsForTheAbortAndNothingToAbortIsNoFailure)
{
    Rig r;
    r.start(kHibernate, kForeground);
    r.unlock();
    r.platform.endings.push_back({5, 300});
    r.button("Command2").click();
    EXPECT_EQ(r.layout(), kIssued) << "locked until Windows has answered";
    r.platform.advance(300);
    EXPECT_EQ(r.layout(), kIssued);
    EXPECT_EQ(r.platform.messages.back().prompt, refusedPrompt("shutdown -a", 5));

    r.platform.endings.push_back({shutdown_exit::kNoShutdownInProgress, 300});
    r.button("Command2").click();
    r.platform.advance(300);
    EXPECT_EQ(r.layout(), kIdle);
    EXPECT_EQ(r.platform.messages.size(), 1u);

    // An abort that never ends leaves the window as it is, and says nothing.
    r.start(kHibernate, kForeground);
    r.platform.endings.push_back({0, 0, true});
    r.button("Command2").click();
    r.platform.advance(60'000);
    EXPECT_EQ(r.layout(), kIssued);
    EXPECT_EQ(r.platform.messages.size(), 1u);
}

TEST(CommandRefusal, ImmediateCommandAtZero)
{
    Rig foreground;
    foreground.type("0 0 0 1");
    foreground.platform.endings.push_back({5});
    foreground.start(kHibernate, kForeground);
    foreground.platform.advance(1000);
    EXPECT_EQ(foreground.platform.messages.back().prompt, refusedPrompt("shutdown -h", 5));

    // In background mode Windows already holds that very shutdown: its
    // "already scheduled" is the plan working, not a refusal.
    Rig background;
    background.type("0 0 0 1");
    background.platform.endings.push_back({0});
    background.platform.endings.push_back({shutdown_exit::kShutdownScheduled});
    background.start(kShutDown, kBackground);
    background.platform.advance(1000);
    EXPECT_EQ(background.platform.commands, (Lines{"shutdown -s -t 1", "shutdown -s -t 0"}));
    EXPECT_TRUE(background.platform.messages.empty());
}

TEST(CommandRefusal, LateRefusalOfAStoppedRunOnlyReports)
{
    Rig r;
    r.unlock();
    r.platform.endings.push_back({1190, 5000});
    r.start();
    r.platform.advance(1000);
    r.button("Command2").click();
    EXPECT_EQ(r.layout(), kIdle);
    r.type("0 0 2 0");
    r.platform.advance(5000);
    EXPECT_EQ(r.layout(), kIdle);
    EXPECT_EQ(r.fields(), "0 0 2 0") << "the window is the user's again: nothing is put back";
    EXPECT_EQ(r.platform.messages.back().prompt, refusedPrompt("shutdown -s -t 60", 1190));
}

// The timer failed at the start, which withdrew the delay; Windows' late
// refusal of the withdrawn command comes after the user has moved on.
TEST(CommandRefusal, LateRefusalAfterAFailedTimerLeavesTheWindowAlone)
{
    Rig r;
    r.fw.timer("Timer1").refuseWith = "存储空间不足。";
    r.platform.endings.push_back({5, 2000});
    r.start();
    EXPECT_EQ(r.platform.commands, (Lines{"shutdown -s -t 60", "shutdown -a"}));
    r.button("Command6").click();
    r.platform.advance(3000);
    EXPECT_EQ(r.layout(), "inputs schedule C7");
    EXPECT_EQ(r.platform.messages.back().prompt, refusedPrompt("shutdown -s -t 60", 5));
}

// The second click of a double-click lands on whichever button has just
// taken the first one's place: it presses nothing.
TEST(SharedSpot, NoPressWithinTheDoubleClickTimeOfAChangeOfButtons)
{
    Rig r;
    r.platform.setDoubleClickMs(500);
    r.unlock();
    r.start();
    r.button("Command2").click();
    EXPECT_EQ(r.layout(), kRunning) << "the double-click on 走起! did not stop it";
    r.platform.advance(500);
    r.button("Command2").click();
    EXPECT_EQ(r.layout(), kIdle);
    r.platform.advance(499);
    r.button("Command1").click();
    EXPECT_EQ(r.platform.commands, (Lines{"shutdown -s -t 60", "shutdown -a"})) << "a double-click on 停止!";
    r.platform.advance(1);
    r.button("Command1").click();
    EXPECT_EQ(r.layout(), kRunning);

    Rig scheduled;
    scheduled.platform.setDoubleClickMs(500);
    scheduled.unlock();
    scheduled.platform.setTimeOfDay(11, 0, 0);
    scheduled.button("Command6").click();
    scheduled.button("Command5").click();
    scheduled.platform.advance(500);
    scheduled.button("Command2").click();
    scheduled.button("Command5").click();
    EXPECT_EQ(scheduled.platform.commands, (Lines{"shutdown -s -t 3600", "shutdown -a"}));
}

// The taskbar button drains from full to empty by the deadline the fields
// keep, stalls included, and shows nothing once no countdown runs.
TEST(CountdownProgress, DrainsByTheDeadlineAndClearsAtZeroOnStopAndInTimePointMode)
{
    using State = CountdownProgress::State;
    Rig r;
    r.type("0 0 0 10");
    r.start(kHibernate, kForeground);
    EXPECT_EQ(r.fw.progress(), (CountdownProgress{State::Running, 1}));
    r.platform.advance(3000);
    EXPECT_DOUBLE_EQ(r.fw.progress().shareLeft, 0.7);
    r.platform.jump(5000);
    EXPECT_DOUBLE_EQ(r.fw.progress().shareLeft, 0.2);
    r.platform.advance(2000);
    EXPECT_EQ(r.fw.progress().state, State::None) << "at zero";

    Rig stopped;
    stopped.unlock();
    stopped.start();
    stopped.platform.advance(1000);
    stopped.button("Command2").click();
    EXPECT_EQ(stopped.fw.progress().state, State::None);

    Rig scheduled;
    scheduled.platform.setTimeOfDay(11, 0, 0);
    scheduled.button("Command6").click();
    scheduled.button("Command5").click();
    scheduled.platform.advance(5000);
    EXPECT_EQ(scheduled.fw.progress().state, State::None);
}

TEST(CountdownProgress, RedWhileARefusalIsOnScreen)
{
    Rig r;
    r.platform.endings.push_back({shutdown_exit::kShutdownScheduled, 2500});
    r.start();
    CountdownProgress during;
    r.platform.duringMessage = [&] { during = r.fw.progress(); };
    r.platform.advance(3000);
    EXPECT_EQ(during.state, CountdownProgress::State::Refused);
    EXPECT_EQ(r.fw.progress().state, CountdownProgress::State::None) << "the refused start was undone";
}

}  // namespace
}  // namespace kestrow
