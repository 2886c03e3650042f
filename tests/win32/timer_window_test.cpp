// The real timer window on real controls: initial state, label order and
// typed full-width digits.
#include "platform/win32/dpi.h"
#include "platform/win32/text.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrow::win32 {
namespace {

class TimerWindowTest : public ::testing::Test, protected testing::ShownProgram {
protected:
    HWND hwnd() { return hwndOf(window()); }
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

TEST_F(TimerWindowTest, TypedFullWidthDigitsKeepTheirOrder)
{
    HWND text2 = control("Text2");
    SetWindowTextW(text2, L"0");
    SendMessageW(text2, EM_SETSEL, 1, 1);
    for (wchar_t key : {L'２', L'３'}) SendMessageW(text2, WM_CHAR, key, 1);
    EXPECT_EQ(window().Text2->text(), "023");
}

}  // namespace
}  // namespace kestrow::win32
