// The real timer window on real controls: initial state, focus order,
// Enter on the default button and the nested field handlers.
#include "platform/win32/dpi.h"
#include "platform/win32/text.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

using testing::pumpMessages;

class TimerWindowTest : public ::testing::Test, protected testing::ShownProgram {
protected:
    HWND hwnd() { return hwndOf(window()); }
    void pressEnterIn(HWND control)
    {
        SetFocus(control);
        PostMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(control, WM_KEYUP, VK_RETURN, 0xC0000001);
        pumpMessages();
    }
};

// The definition's states and places reach the real controls.
TEST_F(TimerWindowTest, OpensIdleWithTheControlTablesStateAndSize)
{
    const int dpi = testing::native(window().window()).currentDpi();
    EXPECT_TRUE(IsWindowEnabled(control("Command6")));
    EXPECT_FALSE(IsWindowEnabled(control("Command7")));
    EXPECT_FALSE(IsWindowVisible(control("Command2")));
    EXPECT_FALSE(window().Command2->enabled());
    EXPECT_FALSE(window().Combo2->visible());
    // The dialog manager's default button, which Enter presses.
    EXPECT_EQ(SendMessageW(hwnd(), DM_GETDEFID, 0, 0), MAKELRESULT(GetDlgCtrlID(control("Command1")), DC_HASDEFID));
    EXPECT_EQ(window().Combo1->text(), "关机");
    EXPECT_EQ(window().Text3->text(), "1");

    // Text1 sits at its twips position, converted at the window's DPI.
    RECT r;
    GetWindowRect(control("Text1"), &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, twipsToPixels(840, dpi));
    EXPECT_EQ(r.top, twipsToPixels(1920, dpi));
    EXPECT_EQ(r.right - r.left, twipsToPixels(855, dpi));
}

TEST_F(TimerWindowTest, TabFollowsTabIndexSkippingHiddenAndDisabledControls)
{
    EXPECT_EQ(GetFocus(), control("Text1")) << "the first control in the tab order starts with the focus";

    std::vector<std::string> order;
    HWND at = control("Text1");
    for (int i = 0; i < 9; ++i) {
        order.push_back(nameOf(at));
        at = GetNextDlgTabItem(hwnd(), at, FALSE);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Text1", "Command1", "Text2", "Text3", "Text4", "Combo1", "Command3",
                                               "Command6", "Text1"}));

    // The message loop hands Tab to IsDialogMessage, which follows the same order.
    SetFocus(control("Text4"));
    PostMessageW(control("Text4"), WM_KEYDOWN, VK_TAB, 1);
    pumpMessages();
    EXPECT_EQ(nameOf(GetFocus()), "Combo1") << "focus is in the combo box's own edit";

    // Command2, Combo2, Command4 and Command5 join once shown and enabled.
    window().Combo2->setVisible(true);
    window().Command4->setVisible(true);
    EXPECT_EQ(nameOf(GetNextDlgTabItem(hwnd(), control("Combo1"), FALSE)), "Combo2");
    EXPECT_EQ(nameOf(GetNextDlgTabItem(hwnd(), control("Combo2"), FALSE)), "Command4");
}

TEST_F(TimerWindowTest, EnterPressesTheDefaultButtonOnlyWhileItCanBePressed)
{
    pressEnterIn(control("Text2"));
    EXPECT_EQ(commands, (std::vector<std::string>{"shutdown -s -t 60"}));
    EXPECT_FALSE(window().Command1->visible());
    EXPECT_TRUE(window().Timer1->enabled());

    // The start button is hidden now: Enter must not start a second time.
    pressEnterIn(control("Command3"));
    EXPECT_EQ(commands.size(), 1u);
}

TEST_F(TimerWindowTest, EachFieldAndListIsNamedByTheLabelJustBeforeItInZOrder)
{
    // What screen readers read as the control's name.
    const auto labelBefore = [&](const char* control) {
        return windowText(GetWindow(this->control(control), GW_HWNDPREV));
    };
    EXPECT_EQ(labelBefore("Text1"), "天");
    EXPECT_EQ(labelBefore("Text4"), "秒");
    window().Command6_Click();
    EXPECT_EQ(labelBefore("Text1"), "天后");
    EXPECT_EQ(labelBefore("Text2"), "点");
    EXPECT_EQ(labelBefore("Text3"), "分");
    // No label on the window names the lists: hidden ones do.
    EXPECT_EQ(labelBefore("Combo1") + labelBefore("Combo2"), "操作运行模式");
    EXPECT_FALSE(IsWindowVisible(GetWindow(control("Combo1"), GW_HWNDPREV)));
}

TEST_F(TimerWindowTest, FieldHandlersRunInsideTheTextChange)
{
    HWND text2 = control("Text2");
    SendMessageW(text2, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
    wchar_t buffer[16]{};
    GetWindowTextW(text2, buffer, 16);
    EXPECT_STREQ(buffer, L"0") << "the change handler replaced the entry before WM_SETTEXT returned";

    // Full-width digits typed one by one keep their order once made ASCII.
    SendMessageW(text2, EM_SETSEL, 1, 1);
    for (wchar_t key : {L'２', L'３'}) SendMessageW(text2, WM_CHAR, key, 1);
    EXPECT_EQ(window().Text2->text(), "023");
}

}  // namespace
}  // namespace kestrow::win32
