#include "tests/support/shown_timer_window.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kestrow {
namespace {

constexpr const char* kInvalid = "请输入正确的时间。";
constexpr const char* kPast = "时间不能为过去！";

struct Clock3 {
    int h, m, s;
};

using Lines = std::vector<std::string>;

class TimePointTest : public ::testing::Test, protected ShownTimerWindow {
protected:
    TimePointTest() { platform.setTimeOfDay(11, 0, 0); }

    // Idle in time-point mode, or scheduled: which of the three buttons on
    // the shared spot is shown, and whether the inputs can be edited.
    void expectLayout(bool scheduled)
    {
        EXPECT_EQ(fw.label("Label1").caption(), "预定");
        EXPECT_EQ(button("Command5").visible(), !scheduled);
        EXPECT_EQ(button("Command2").visible(), scheduled);
        EXPECT_FALSE(button("Command1").visible());
        EXPECT_EQ(button("Command7").enabled(), !scheduled);
        EXPECT_FALSE(button("Command6").enabled());
        for (int i = 1; i <= 4; ++i) EXPECT_EQ(field(i).enabled(), !scheduled) << i;
        EXPECT_EQ(fw.combo("Combo1").enabled(), !scheduled);
        EXPECT_EQ(fw.combo("Combo2").enabled(), !scheduled);
        if (scheduled) {
            EXPECT_EQ(button("Command2").caption(), "取消!");
        }
    }
    void expectIdleTimePoint() { expectLayout(false); }
    void expectScheduled() { expectLayout(true); }
    // The sentence the labels make round the fields: Label1, Label6, then
    // Label2 to Label5.
    std::string sentence()
    {
        std::string words = fw.label("Label1").caption();
        for (const char* name : {"Label6", "Label2", "Label3", "Label4", "Label5"}) {
            // Appended in two steps: GCC 12 warns falsely (-Wrestrict) of
            // " " + a string when it inlines it at -O3, as the 32-bit build does.
            words += ' ';
            words += fw.label(name).caption();
        }
        return words;
    }
};

struct ScheduleCase {
    const char* name;
    Clock3 now;
    const char* action;
    const char* time;     // "d h m s"
    const char* command;  // nullptr: refused
    const char* message;  // nullptr: none
};

void PrintTo(const ScheduleCase& c, std::ostream* os) { *os << c.name; }

const ScheduleCase kScheduleCases[] = {
    {"OneHourAhead", {11, 0, 0}, "关机", "0 12 0 0", "shutdown -s -t 3600", nullptr},
    {"TomorrowMidnight", {23, 59, 0}, "关机", "1 0 0 0", "shutdown -s -t 60", nullptr},
    {"RestartTomorrowMidnight", {23, 59, 0}, "重启", "1 0 0 0", "shutdown -r -t 60", nullptr},
    {"EqualToNow", {12, 0, 0}, "关机", "0 12 0 0", nullptr, kPast},
    {"EarlierToday", {9, 30, 0}, "关机", "0 9 0 0", nullptr, kPast},
    {"OneSecondAhead", {11, 0, 0}, "关机", "0 11 0 1", "shutdown -s -t 1", nullptr},
    {"LatestClockReading", {11, 0, 0}, "关机", "0 23 59 59", "shutdown -s -t 46799", nullptr},
    {"TomorrowEarlierThanNow", {11, 0, 0}, "关机", "1 10 0 0", "shutdown -s -t 82800", nullptr},
    {"TomorrowLaterThanNow", {11, 0, 0}, "关机", "1 12 0 0", "shutdown -s -t 90000", nullptr},
    {"HalfDay", {11, 0, 0}, "关机", "0.5 11 0 0", "shutdown -s -t 43200", nullptr},
    {"ExactDecimalDays", {11, 0, 0}, "关机", "0.3 11 0 0", "shutdown -s -t 25920", nullptr},
    // 1.1 × 86400 lands a hair above 95040 in binary.
    {"BinaryNoiseNotRoundedUp", {11, 0, 0}, "关机", "1.1 11 0 0", "shutdown -s -t 95040", nullptr},
    {"FractionRoundedUp", {11, 0, 0}, "关机", "0.123 12 0 0", "shutdown -s -t 14228", nullptr},
    {"TinyFractionIsOneSecond", {11, 0, 0}, "关机", "0.00001 11 0 0", "shutdown -s -t 1", nullptr},
    {"NegativeDays", {11, 0, 0}, "关机", "-1 23 0 0", nullptr, kPast},
    {"NegativeHalfDayToZero", {11, 0, 0}, "关机", "-0.5 23 0 0", nullptr, kPast},
    {"TenYearsAccepted", {11, 0, 0}, "关机", "3650 11 0 0", "shutdown -s -t 315360000", nullptr},
    {"OverTenYearsRefused", {11, 0, 0}, "关机", "3650 11 0 1", nullptr, kInvalid},
    {"HugeDaysRefused", {11, 0, 0}, "关机", "1e300 11 0 0", nullptr, kInvalid},
    // A text that names no action does nothing, as in countdown mode.
    {"UnknownActionDoesNothing", {11, 0, 0}, "关机 ", "0 12 0 0", nullptr, nullptr},
};

class TimePointSchedule : public TimePointTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(TimePointSchedule, RunsOrRefuses)
{
    const ScheduleCase& c = GetParam();
    button("Command6").click();
    fw.combo("Combo1").setText(c.action);
    type(c.time);
    platform.setTimeOfDay(c.now.h, c.now.m, c.now.s);

    button("Command5").click();

    EXPECT_EQ(platform.commands, c.command ? Lines{c.command} : Lines{});
    expectLayout(c.command != nullptr);
    EXPECT_EQ(platform.prompts(), c.message ? Lines{c.message} : Lines{});
    EXPECT_EQ(fields(), c.time);
}

INSTANTIATE_TEST_SUITE_P(TimePointExamples, TimePointSchedule, ::testing::ValuesIn(kScheduleCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(TimePointTest, OutOfRangeMessageComesFirstThenFieldsAreCorrected)
{
    button("Command6").click();
    type("0 24 75 0");
    std::string duringBox;
    platform.duringMessage = [&] { duringBox = fields(); };

    button("Command5").click();

    EXPECT_EQ(platform.prompts(), Lines{kInvalid});
    EXPECT_EQ(duringBox, "0 24 75 0");
    EXPECT_EQ(fields(), "0 23 59 0");
    EXPECT_TRUE(platform.commands.empty());
    expectIdleTimePoint();
}

// Too large a field is brought into range; a negative or fractional clock
// reading is refused as it stands.
TEST_F(TimePointTest, InvalidClockReadingsAreRefusedTheTooLargeCorrectedPerField)
{
    const std::pair<const char*, const char*> rows[] = {
        {"0 23.5 0 0", "0 23 0 0"},
        {"0 1 60 99", "0 1 59 59"},
        // The negative minute is left alone; the next press refuses it.
        {"0 30 -1 0", "0 23 -1 0"},
        {"0 -1 0 0", "0 -1 0 0"},
        {"0 7.5 0 0", "0 7.5 0 0"},
        {"0 12 -5 0", "0 12 -5 0"},
        {"0 12 0 0.5", "0 12 0 0.5"},
        {"0 -0.5 0 0", "0 -0.5 0 0"},
    };
    button("Command6").click();
    for (const auto& [entered, shown] : rows) {
        platform.messages.clear();
        type(entered);
        button("Command5").click();
        EXPECT_EQ(platform.prompts(), Lines{kInvalid}) << entered;
        EXPECT_EQ(fields(), shown);
    }
    EXPECT_TRUE(platform.commands.empty());
    expectIdleTimePoint();
}

TEST(TimePoint, HibernateAndLogOffAreRefusedByBothButtons)
{
    for (const auto& [action, message] :
         {std::pair{"休眠", "休眠仅在倒计时模式下可用"}, std::pair{"注销", "注销仅在倒计时模式下可用"}}) {
        ShownTimerWindow r;
        r.platform.setTimeOfDay(11, 0, 0);
        r.fw.combo("Combo1").setText(action);
        r.button("Command6").click();
        EXPECT_EQ(r.fw.label("Label1").caption(), "距离");
        EXPECT_TRUE(r.button("Command1").visible());
        EXPECT_TRUE(r.button("Command6").enabled());
        EXPECT_FALSE(r.button("Command7").enabled());
        EXPECT_EQ(r.field(3).text(), "1");

        r.fw.combo("Combo1").setText("关机");
        r.button("Command6").click();
        r.fw.combo("Combo1").setText(action);
        // An out-of-range hour shows the fields are not even read.
        r.field(2).type("24");
        r.button("Command5").click();
        EXPECT_EQ(r.field(2).text(), "24");
        EXPECT_TRUE(r.button("Command5").visible());
        EXPECT_TRUE(r.platform.commands.empty());
        EXPECT_EQ(r.platform.prompts(), (Lines{message, message})) << action;
        EXPECT_FALSE(r.platform.messages.back().title.has_value());
        EXPECT_EQ(r.platform.messages.back().buttons, MessageButtons::Ok);
    }
}

TEST_F(TimePointTest, ModeSwitchesKeepTheDayAndMoveTheDefaultButton)
{
    field(1).type("3");
    field(3).type("45");
    button("Command6").click();

    EXPECT_EQ(sentence(), "预定 将在 天后 点 分 秒");
    EXPECT_EQ(fields(), "3 12 0 0");
    EXPECT_EQ(fw.defaultButton(), &button("Command5"));
    EXPECT_EQ(button("Command2").caption(), "停止!");
    expectIdleTimePoint();

    // Back to countdown mode: all but the day count reset.
    type("3 7 45 30");
    button("Command7").click();
    EXPECT_EQ(sentence(), "距离 还有 天 小时 分钟 秒");
    EXPECT_EQ(fields(), "3 0 1 0");
    EXPECT_EQ(fw.defaultButton(), &button("Command1"));
    EXPECT_TRUE(button("Command1").visible());
    EXPECT_FALSE(button("Command5").visible());
    EXPECT_FALSE(button("Command7").enabled());
    EXPECT_TRUE(button("Command6").enabled());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(TimePointTest, ScheduleLeavesTheLockAsItWas)
{
    button("Command6").click();
    button("Command5").click();
    expectScheduled();
    EXPECT_FALSE(button("Command2").enabled());
}

TEST_F(TimePointTest, CancelReturnsToTimePointModeAndTheNextScheduleMeasuresFromTheNewNow)
{
    unlock();
    button("Command6").click();
    button("Command5").click();
    ASSERT_EQ(platform.commands, Lines{"shutdown -s -t 3600"});

    button("Command2").click();
    EXPECT_EQ(platform.commands.back(), "shutdown -a");
    expectIdleTimePoint();
    EXPECT_EQ(fields(), "0 12 0 0");

    platform.setTimeOfDay(11, 30, 0);
    button("Command5").click();
    EXPECT_EQ(platform.commands.back(), "shutdown -s -t 1800");
    expectScheduled();
    EXPECT_TRUE(button("Command2").enabled());
}

TEST_F(TimePointTest, DayOffsetIsReadWithTheUsersDecimalSeparator)
{
    platform.setDecimalSeparator(",");
    button("Command6").click();
    type("0,5 12 0 0");
    button("Command5").click();
    EXPECT_EQ(platform.commands, Lines{"shutdown -s -t 46800"});
}

TEST_F(TimePointTest, CommandThatCannotStartIsReportedAndTheWindowStaysIdle)
{
    button("Command6").click();
    platform.failWith = "系统找不到指定的文件。";
    button("Command5").click();

    EXPECT_EQ(platform.prompts(), Lines{"无法运行命令：shutdown -s -t 3600\r\n系统找不到指定的文件。"});
    EXPECT_TRUE(platform.commands.empty());
    expectIdleTimePoint();
    EXPECT_EQ(button("Command2").caption(), "停止!");

    platform.failWith.reset();
    button("Command5").click();
    EXPECT_EQ(platform.commands, Lines{"shutdown -s -t 3600"});
    expectScheduled();
}

}  // namespace
}  // namespace kestrow
