#include "tests/support/fake_platform.h"
#include "timer_window/timer_window.h"

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

class TimePointTest : public ::testing::Test {
protected:
    TimePointTest()
    {
        platform.setTimeOfDay(11, 0, 0);
        window.show();
    }

    fake::FakeWindow& fw() { return *platform.window("Kestrow"); }
    fake::FakeButton& button(const char* name) { return fw().button(name); }
    fake::FakeTextField& field(const char* name) { return fw().field(name); }

    void enterTime(const std::string& day, const std::string& h, const std::string& m, const std::string& s)
    {
        field("Text1").type(day);
        field("Text2").type(h);
        field("Text3").type(m);
        field("Text4").type(s);
    }

    std::vector<std::string> prompts() const
    {
        std::vector<std::string> all;
        for (const auto& message : platform.messages) all.push_back(message.prompt);
        return all;
    }

    std::vector<std::string> fieldTexts()
    {
        return {field("Text1").text(), field("Text2").text(), field("Text3").text(), field("Text4").text()};
    }

    void expectIdleTimePoint()
    {
        EXPECT_EQ(fw().label("Label1").caption(), "预定");
        EXPECT_TRUE(button("Command5").visible());
        EXPECT_FALSE(button("Command2").visible());
        EXPECT_FALSE(button("Command1").visible());
        EXPECT_TRUE(button("Command7").enabled());
        EXPECT_FALSE(button("Command6").enabled());
        for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_TRUE(field(name).enabled()) << name;
        EXPECT_TRUE(fw().combo("Combo1").enabled());
        EXPECT_TRUE(fw().combo("Combo2").enabled());
    }

    void expectScheduled()
    {
        EXPECT_TRUE(button("Command2").visible());
        EXPECT_EQ(button("Command2").caption(), "取消!");
        EXPECT_FALSE(button("Command5").visible());
        EXPECT_FALSE(button("Command1").visible());
        EXPECT_FALSE(button("Command6").enabled());
        EXPECT_FALSE(button("Command7").enabled());
        for (const char* name : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_FALSE(field(name).enabled()) << name;
        EXPECT_FALSE(fw().combo("Combo1").enabled());
        EXPECT_FALSE(fw().combo("Combo2").enabled());
    }

    void unlockStopButton()
    {
        button("Command3").click();
        for (int i = 0; i < 3; ++i) button("Command4").click();
    }

    fake::FakePlatform platform;
    LiveWindows live{platform};
    TimerWindow window{platform.services(), live};
};

struct ScheduleCase {
    const char* name;
    Clock3 now;
    const char* action;
    const char* day;
    const char* hour;
    const char* minute;
    const char* second;
    const char* command;  // nullptr: refused
    const char* message;  // nullptr: none
};

void PrintTo(const ScheduleCase& c, std::ostream* os) { *os << c.name; }

const ScheduleCase kScheduleCases[] = {
    {"OneHourAhead", {11, 0, 0}, "关机", "0", "12", "0", "0", "shutdown -s -t 3600", nullptr},
    {"TomorrowMidnight", {23, 59, 0}, "关机", "1", "0", "0", "0", "shutdown -s -t 60", nullptr},
    {"RestartTomorrowMidnight", {23, 59, 0}, "重启", "1", "0", "0", "0", "shutdown -r -t 60", nullptr},
    {"EqualToNow", {12, 0, 0}, "关机", "0", "12", "0", "0", nullptr, kPast},
    {"EarlierToday", {9, 30, 0}, "关机", "0", "9", "0", "0", nullptr, kPast},
    {"OneSecondAhead", {11, 0, 0}, "关机", "0", "11", "0", "1", "shutdown -s -t 1", nullptr},
    {"LatestClockReading", {11, 0, 0}, "关机", "0", "23", "59", "59", "shutdown -s -t 46799", nullptr},
    {"TomorrowEarlierThanNow", {11, 0, 0}, "关机", "1", "10", "0", "0", "shutdown -s -t 82800", nullptr},
    {"TomorrowLaterThanNow", {11, 0, 0}, "关机", "1", "12", "0", "0", "shutdown -s -t 90000", nullptr},
    {"HalfDay", {11, 0, 0}, "关机", "0.5", "11", "0", "0", "shutdown -s -t 43200", nullptr},
    {"ExactDecimalDays", {11, 0, 0}, "关机", "0.3", "11", "0", "0", "shutdown -s -t 25920", nullptr},
    // 1.1 × 86400 lands a hair above 95040 in binary.
    {"BinaryNoiseNotRoundedUp", {11, 0, 0}, "关机", "1.1", "11", "0", "0", "shutdown -s -t 95040", nullptr},
    {"FractionRoundedUp", {11, 0, 0}, "关机", "0.123", "12", "0", "0", "shutdown -s -t 14228", nullptr},
    {"TinyFractionIsOneSecond", {11, 0, 0}, "关机", "0.00001", "11", "0", "0", "shutdown -s -t 1", nullptr},
    {"NegativeDays", {11, 0, 0}, "关机", "-1", "23", "0", "0", nullptr, kPast},
    {"NegativeHalfDayToZero", {11, 0, 0}, "关机", "-0.5", "23", "0", "0", nullptr, kPast},
    {"TenYearsAccepted", {11, 0, 0}, "关机", "3650", "11", "0", "0", "shutdown -s -t 315360000", nullptr},
    {"OverTenYearsRefused", {11, 0, 0}, "关机", "3650", "11", "0", "1", nullptr, kInvalid},
    {"HugeDaysRefused", {11, 0, 0}, "关机", "1e300", "11", "0", "0", nullptr, kInvalid},
    // A text that names no action does nothing, as in countdown mode.
    {"UnknownActionDoesNothing", {11, 0, 0}, "关机 ", "0", "12", "0", "0", nullptr, nullptr},
};

class TimePointSchedule : public TimePointTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(TimePointSchedule, RunsOrRefuses)
{
    const ScheduleCase& c = GetParam();
    button("Command6").click();
    fw().combo("Combo1").setText(c.action);
    enterTime(c.day, c.hour, c.minute, c.second);
    platform.setTimeOfDay(c.now.h, c.now.m, c.now.s);
    const auto before = fieldTexts();

    button("Command5").click();

    if (c.command) {
        EXPECT_EQ(platform.commands, std::vector<std::string>{c.command});
        expectScheduled();
    } else {
        EXPECT_TRUE(platform.commands.empty());
        expectIdleTimePoint();
    }
    EXPECT_EQ(prompts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(fieldTexts(), before);
}

INSTANTIATE_TEST_SUITE_P(TimePointExamples, TimePointSchedule, ::testing::ValuesIn(kScheduleCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(TimePointTest, OutOfRangeMessageComesFirstThenFieldsAreCorrected)
{
    button("Command6").click();
    enterTime("0", "24", "75", "0");
    std::vector<std::string> duringBox;
    platform.duringMessage = [&] { duringBox = fieldTexts(); };

    button("Command5").click();

    EXPECT_EQ(prompts(), std::vector<std::string>{kInvalid});
    EXPECT_EQ(duringBox, (std::vector<std::string>{"0", "24", "75", "0"}));
    EXPECT_EQ(fieldTexts(), (std::vector<std::string>{"0", "23", "59", "0"}));
    EXPECT_TRUE(platform.commands.empty());
    expectIdleTimePoint();
}

TEST_F(TimePointTest, OutOfRangeCorrectionsPerField)
{
    struct Row {
        std::vector<std::string> entered, corrected;
    };
    const Row rows[] = {
        {{"0", "23.5", "0", "0"}, {"0", "23", "0", "0"}},
        {{"0", "1", "60", "99"}, {"0", "1", "59", "59"}},
        // The negative minute is left alone; the next press refuses it.
        {{"0", "30", "-1", "0"}, {"0", "23", "-1", "0"}},
    };
    button("Command6").click();
    for (const Row& row : rows) {
        platform.messages.clear();
        enterTime(row.entered[0], row.entered[1], row.entered[2], row.entered[3]);
        button("Command5").click();
        EXPECT_EQ(prompts(), std::vector<std::string>{kInvalid}) << row.entered[1];
        EXPECT_EQ(fieldTexts(), row.corrected);
    }
    EXPECT_TRUE(platform.commands.empty());
}

TEST_F(TimePointTest, ClockReadingThatIsNegativeOrFractionalIsRefusedUnchanged)
{
    const std::vector<std::vector<std::string>> rows = {
        {"0", "-1", "0", "0"}, {"0", "7.5", "0", "0"}, {"0", "12", "-5", "0"},
        {"0", "12", "0", "0.5"}, {"0", "-0.5", "0", "0"},
    };
    button("Command6").click();
    for (const auto& row : rows) {
        platform.messages.clear();
        enterTime(row[0], row[1], row[2], row[3]);
        button("Command5").click();
        EXPECT_EQ(prompts(), std::vector<std::string>{kInvalid}) << row[1] << ":" << row[2] << ":" << row[3];
        EXPECT_EQ(fieldTexts(), row);
    }
    EXPECT_TRUE(platform.commands.empty());
    expectIdleTimePoint();
}

TEST_F(TimePointTest, HibernateAndLogOffAreRefusedByBothButtons)
{
    for (const auto& [action, message] :
         {std::pair{"休眠", "休眠仅在倒计时模式下可用"}, std::pair{"注销", "注销仅在倒计时模式下可用"}}) {
        fake::FakePlatform p;
        p.setTimeOfDay(11, 0, 0);
        LiveWindows l(p);
        TimerWindow w(p.services(), l);
        w.show();
        auto& f = *p.window("Kestrow");

        f.combo("Combo1").setText(action);
        f.button("Command6").click();
        EXPECT_EQ(f.label("Label1").caption(), "距离");
        EXPECT_TRUE(f.button("Command1").visible());
        EXPECT_TRUE(f.button("Command6").enabled());
        EXPECT_FALSE(f.button("Command7").enabled());
        EXPECT_EQ(f.field("Text3").text(), "1");

        f.combo("Combo1").setText("关机");
        f.button("Command6").click();
        f.combo("Combo1").setText(action);
        // An out-of-range hour shows the fields are not even read.
        f.field("Text2").type("24");
        f.button("Command5").click();
        EXPECT_EQ(f.field("Text2").text(), "24");
        EXPECT_TRUE(f.button("Command5").visible());
        EXPECT_TRUE(p.commands.empty());
        ASSERT_EQ(p.messages.size(), 2u) << action;
        EXPECT_EQ(p.messages[0].prompt, message);
        EXPECT_EQ(p.messages[1].prompt, message);
        EXPECT_FALSE(p.messages[1].title.has_value());
        EXPECT_EQ(p.messages[1].buttons, MessageButtons::Ok);
    }
}

TEST_F(TimePointTest, ModeSwitchesKeepTheDayAndMoveTheDefaultButton)
{
    field("Text1").type("3");
    field("Text3").type("45");
    button("Command6").click();

    EXPECT_EQ(fw().label("Label1").caption(), "预定");
    EXPECT_EQ(fw().label("Label6").caption(), "将在");
    EXPECT_EQ(fw().label("Label2").caption(), "天后");
    EXPECT_EQ(fw().label("Label3").caption(), "点");
    EXPECT_EQ(fw().label("Label4").caption(), "分");
    EXPECT_EQ(fw().label("Label5").caption(), "秒");
    EXPECT_EQ(fieldTexts(), (std::vector<std::string>{"3", "12", "0", "0"}));
    EXPECT_TRUE(button("Command5").isDefault());
    EXPECT_EQ(button("Command2").caption(), "停止!");
    expectIdleTimePoint();

    button("Command7").click();
    EXPECT_EQ(fw().label("Label1").caption(), "距离");
    EXPECT_EQ(fieldTexts(), (std::vector<std::string>{"3", "0", "1", "0"}));
    EXPECT_TRUE(button("Command1").isDefault());
    EXPECT_TRUE(button("Command1").visible());
    EXPECT_FALSE(button("Command5").visible());
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
    unlockStopButton();
    button("Command6").click();
    button("Command5").click();
    ASSERT_EQ(platform.commands, std::vector<std::string>{"shutdown -s -t 3600"});

    button("Command2").click();
    EXPECT_EQ(platform.commands.back(), "shutdown -a");
    expectIdleTimePoint();
    EXPECT_EQ(fieldTexts(), (std::vector<std::string>{"0", "12", "0", "0"}));

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
    enterTime("0,5", "12", "0", "0");
    button("Command5").click();
    EXPECT_EQ(platform.commands, std::vector<std::string>{"shutdown -s -t 46800"});
}

TEST_F(TimePointTest, CommandThatCannotStartIsReportedAndTheWindowStaysIdle)
{
    button("Command6").click();
    platform.failWith = "系统找不到指定的文件。";
    button("Command5").click();

    EXPECT_EQ(prompts(), std::vector<std::string>{"无法运行命令：shutdown -s -t 3600\r\n系统找不到指定的文件。"});
    EXPECT_TRUE(platform.commands.empty());
    expectIdleTimePoint();
    EXPECT_EQ(button("Command2").caption(), "停止!");

    platform.failWith.reset();
    button("Command5").click();
    EXPECT_EQ(platform.commands, std::vector<std::string>{"shutdown -s -t 3600"});
    expectScheduled();
}

}  // namespace
}  // namespace kestrow
