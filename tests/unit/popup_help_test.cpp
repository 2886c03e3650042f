#include "tests/support/shown_timer_window.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kestrow {
namespace {

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

const std::string kCountdownHelp = joinLines({
    "*****帮助*****",
    "",
    "输入要预定关机的时间后",
    "按下\u201c走起\u201d即可开始倒计时关机",
    "下拉\u201c关机\u201d菜单有多种操作可选",
    "\u201c休眠\u201d和\u201c注销\u201d仅在前台模式下可用",
    "",
    "如需切换倒计时模式或停止计时请点击\u201c设置\u201d",
    "点击\u201c解锁\u201d三次即可解锁\u201c停止\u201d按钮",
});

const std::string kTimePointHelp = joinLines({
    "*****帮助*****",
    "",
    "输入要预定关机的时间后",
    "按下\u201c预定\u201d即可开始定时关机",
    "下拉\u201c关机\u201d菜单有多种操作可选",
    "\u201c休眠\u201d和\u201c注销\u201d仅在倒计时模式下可用",
    "",
    "如需取消定时请点击\u201c设置\u201d",
    "点击\u201c解锁\u201d三次即可解锁\u201c取消\u201d按钮",
});

class PopupHelpTest : public ::testing::Test, protected ShownTimerWindow {
protected:
    // The help text as a right-button press and the help item show it.
    std::string shownHelp()
    {
        platform.messages.clear();
        fw.choosePopupItem("help");
        fw.mouseDown(mouse::right);
        EXPECT_EQ(platform.messages.size(), 1u);
        return platform.messages.empty() ? std::string() : platform.messages.back().prompt;
    }
};

TEST_F(PopupHelpTest, HelpFollowsTheModeIndicator)
{
    EXPECT_EQ(shownHelp(), kCountdownHelp);
    const fake::RecordedMessage& box = platform.messages.back();
    EXPECT_FALSE(box.title.has_value());
    EXPECT_EQ(box.buttons, MessageButtons::Ok);

    fw.button("Command6").click();
    EXPECT_EQ(shownHelp(), kTimePointHelp);

    fw.button("Command7").click();
    EXPECT_EQ(shownHelp(), kCountdownHelp);
}

TEST_F(PopupHelpTest, ModeIsReadFromLabel1Alone)
{
    fw.label("Label1").setCaption("预定");
    EXPECT_EQ(shownHelp(), kTimePointHelp);
    fw.label("Label1").setCaption("预定 ");
    EXPECT_EQ(shownHelp(), kCountdownHelp);
}

TEST_F(PopupHelpTest, RefusedModeSwitchKeepsTheCountdownHelp)
{
    fw.combo("Combo1").setText("休眠");
    fw.button("Command6").click();
    EXPECT_EQ(shownHelp(), kCountdownHelp);
}

TEST_F(PopupHelpTest, OnlyTheRightButtonOpensTheMenu)
{
    struct Row {
        int buttons;
        int popups;
    };
    const Row rows[] = {
        {mouse::left, 0},
        {mouse::middle, 0},
        {mouse::left | mouse::middle, 0},
        {mouse::right, 1},
        {mouse::left | mouse::right, 1},
    };
    for (const Row& row : rows) {
        const int popupsBefore = fw.popupCount();
        platform.messages.clear();
        fw.choosePopupItem("help");
        fw.mouseDown(row.buttons);
        fw.choosePopupItem("");  // a choice left unused must not reach the next row
        EXPECT_EQ(fw.popupCount() - popupsBefore, row.popups) << row.buttons;
        EXPECT_EQ(platform.messages.size(), static_cast<std::size_t>(row.popups)) << row.buttons;
    }
    ASSERT_NE(fw.lastPopup(), nullptr);
    EXPECT_EQ(fw.lastPopup()->def().name, "menu");
}

TEST_F(PopupHelpTest, ClosingTheMenuWithoutChoiceRunsNothing)
{
    fw.mouseDown(mouse::right);
    EXPECT_EQ(fw.popupCount(), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(aboutShown, 0);
}

TEST_F(PopupHelpTest, AboutItemShowsTheAboutWindow)
{
    fw.choosePopupItem("about");
    fw.mouseDown(mouse::right);
    EXPECT_EQ(aboutShown, 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(platform.commands.empty());
}

}  // namespace
}  // namespace kestrow
