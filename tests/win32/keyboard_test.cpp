// The program's windows under real keyboard and mouse input, as in a Windows
// dialog: Enter, Tab, the focus and the menu key.
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

using namespace testing;

class KeyboardTest : public ::testing::Test, protected ShownProgram {
protected:
    bool framed(const char* name) { return (GetWindowLongW(control(name), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON; }
};

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonElseTheDefaultOneAndTheFrameShowsWhich)
{
    clickOn(control("Command3"));
    ASSERT_TRUE(window().Combo2->visible());
    EXPECT_TRUE(framed("Command3") && !framed("Command1"));
    pressKey(VK_RETURN);
    EXPECT_FALSE(window().Combo2->visible()) << "设置 was pressed twice";
    pressKey(VK_DOWN);
    EXPECT_EQ(focused(), "Command3") << "arrow keys do not carry the focus off to a label";
    clickOn(control("Text2"));
    EXPECT_TRUE(framed("Command1") && !framed("Command3"));
    pressKey(VK_RETURN);
    waitForCommands();
    EXPECT_EQ(commands, (std::vector<std::string>{"shutdown -s -t 60"}));
}

TEST_F(KeyboardTest, KeyboardOnlyRunFromStartToStopAndBothModeSwitches)
{
    const auto press = [](WORD key, int times = 1, WORD modifier = 0) {
        for (int i = 0; i < times; ++i) pressKey(key, modifier);
    };
    press(VK_ESCAPE);  // the dialog manager's IDCANCEL closes nothing here
    press(VK_TAB, 3);
    press('2');
    press(VK_TAB, 2);
    press(VK_DOWN);
    EXPECT_EQ(window().Text3->text() + window().Combo1->text(), "2重启");
    press(VK_RETURN);
    waitForCommands();
    EXPECT_EQ(commands, (std::vector<std::string>{"shutdown -r -t 120"}));
    EXPECT_EQ(focused(), "Command3") << "the locked inputs passed the focus on, and it came back";
    press(VK_RETURN);
    press(VK_TAB);
    press(VK_SPACE, 3);
    press(VK_TAB, 1, VK_SHIFT);
    EXPECT_EQ(focused(), "Command2");
    Sleep(GetDoubleClickTime());  // 停止! ignores what might be a double-click's second click
    press(VK_RETURN);
    waitForCommands();
    EXPECT_EQ(commands.back(), "shutdown -a");
    EXPECT_EQ(focused(), "Combo2");

    press(VK_TAB, 3);
    press(VK_RETURN);
    EXPECT_EQ(window().Label1->caption() + focused(), "预定Text1");
    press(VK_TAB, 2, VK_SHIFT);
    press(VK_RETURN);
    EXPECT_EQ(window().Label1->caption() + focused(), "距离Text1");
}

TEST_F(KeyboardTest, ActivationGivesTheFocusBackOrToTheFirstUsableTabStop)
{
    window().Text3->setFocus();
    HWND about = hwndOf(program.about().show());
    pumpUntilInputHandled();
    SetForegroundWindow(hwndOf(window()));
    pumpUntilInputHandled();
    EXPECT_EQ(focused(), "Text3");
    SetForegroundWindow(about);
    pumpUntilInputHandled();
    window().Text3->setEnabled(false);
    SetForegroundWindow(hwndOf(window()));
    pumpUntilInputHandled();
    EXPECT_EQ(focused(), "Text1");
}

TEST_F(KeyboardTest, MenuKeysOpenThePopupMenuAtTheWindowsCornerButNoPressOnAControlDoes)
{
    std::vector<POINT> menus;
    DuringModalLoops watch([&] {
        RECT r;
        if (HWND menu = shownMenu(); menu && GetWindowRect(menu, &r)) {
            menus.push_back({r.left, r.top});
            EndMenu();
        }
    });
    SetFocus(control("Command3"));
    pressKey(VK_APPS);
    pressKey(VK_F10, VK_SHIFT);
    POINT corner{0, 0};
    ClientToScreen(hwndOf(window()), &corner);
    ASSERT_EQ(menus.size(), 2u);
    for (const POINT& at : menus) EXPECT_TRUE(at.x == corner.x && at.y == corner.y);

    window().lockInputs();  // Windows hands presses on disabled controls to the window
    clickOn(control("Text1"), true);
    clickOn(control("Combo1"), true);
    EXPECT_EQ(menus.size(), 2u);
    clickAt({corner.x + 5, corner.y + 5}, true);
    EXPECT_EQ(menus.size(), 3u) << "a press on the background opens it";
}

}  // namespace
}  // namespace kestrow::win32
