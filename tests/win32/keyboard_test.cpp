// The program's windows used with real keyboard and mouse input, as in a
// Windows dialog: Enter, Tab, the focus, the menu key, the default-button
// frame and message boxes that hold the whole program.
#include "tests/win32/test_support.h"
#include "timer_window/program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

using testing::clickAt;
using testing::clickOn;
using testing::DuringModalLoops;
using testing::pressKey;
using testing::settle;
using testing::shownWindowOfClass;

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.start();
        settle();
    }

    TimerWindow& window() { return program.timerWindow(); }
    static HWND hwndOf(Form& form) { return static_cast<Win32Window&>(form.window()).hwnd(); }
    HWND control(const std::string& name) { return static_cast<Win32Window&>(window().window()).controlHandle(name); }
    std::string focused()
    {
        HWND focus = GetFocus();
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Combo1", "Combo2", "Command1", "Command2",
                                 "Command3", "Command4", "Command5", "Command6", "Command7"}) {
            if (focus && (control(name) == focus || IsChild(control(name), focus))) return name;
        }
        return "none";
    }
    bool framed(const std::string& name)
    {
        return (GetWindowLongW(control(name), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    }
    const std::vector<std::string>& commands() { return platform.commands.commands; }

    testing::Win32Services platform;
    Program program{platform.services};
};

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonElseTheDefaultOneAndTheFrameShowsWhich)
{
    clickOn(control("Command3"));
    ASSERT_TRUE(window().Combo2->visible());
    EXPECT_TRUE(framed("Command3"));
    EXPECT_FALSE(framed("Command1"));
    pressKey(VK_RETURN);
    EXPECT_FALSE(window().Combo2->visible()) << "Enter pressed the focused 设置 once more";
    EXPECT_TRUE(commands().empty());

    clickOn(control("Text2"));
    EXPECT_TRUE(framed("Command1"));
    EXPECT_FALSE(framed("Command3"));
    pressKey(VK_RETURN);
    EXPECT_EQ(commands(), (std::vector<std::string>{"shutdown -s -t 60"}));
}

TEST_F(KeyboardTest, KeyboardOnlyRunFromStartToStopAndBothModeSwitches)
{
    ASSERT_EQ(focused(), "Text1");
    pressKey(VK_ESCAPE);  // the dialog manager's IDCANCEL, which closes nothing here
    ASSERT_TRUE(window().loaded());
    for (int i = 0; i < 3; ++i) pressKey(VK_TAB);
    pressKey('2');
    EXPECT_EQ(window().Text3->text(), "2");
    pressKey(VK_TAB);
    pressKey(VK_TAB);
    ASSERT_EQ(focused(), "Combo1");
    pressKey(VK_DOWN);
    EXPECT_EQ(window().Combo1->text(), "重启");

    pressKey(VK_RETURN);
    EXPECT_EQ(commands(), (std::vector<std::string>{"shutdown -r -t 120"}));
    EXPECT_EQ(focused(), "Command3") << "the locked inputs passed the focus on";
    pressKey(VK_RETURN);
    pressKey(VK_TAB);
    EXPECT_EQ(focused(), "Command4");
    pressKey(VK_SPACE);
    pressKey(VK_RETURN);
    pressKey(VK_SPACE);
    EXPECT_TRUE(window().Command2->enabled());
    pressKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(focused(), "Command2");
    pressKey(VK_RETURN);
    EXPECT_EQ(commands().back(), "shutdown -a");
    EXPECT_EQ(focused(), "Combo2");

    for (int i = 0; i < 3; ++i) pressKey(VK_TAB);
    ASSERT_EQ(focused(), "Command6");
    pressKey(VK_RETURN);
    EXPECT_EQ(window().Label1->caption(), "预定");
    EXPECT_EQ(focused(), "Text1");
    pressKey(VK_TAB, VK_SHIFT);
    pressKey(VK_TAB, VK_SHIFT);
    ASSERT_EQ(focused(), "Command7");
    pressKey(VK_RETURN);
    EXPECT_EQ(window().Label1->caption(), "距离");
    EXPECT_EQ(focused(), "Text1");
    EXPECT_EQ(commands().size(), 2u);
}

TEST_F(KeyboardTest, ActivationGivesTheFocusBackOrToTheFirstUsableTabStop)
{
    window().Text3->setFocus();
    HWND about = hwndOf(program.about().show());
    settle();
    SetForegroundWindow(hwndOf(window()));
    settle();
    EXPECT_EQ(focused(), "Text3");

    SetForegroundWindow(about);
    settle();
    window().Text3->setEnabled(false);
    SetForegroundWindow(hwndOf(window()));
    settle();
    EXPECT_EQ(focused(), "Text1");
}

TEST_F(KeyboardTest, MenuKeysOpenThePopupMenuAtTheWindowsCornerButNoPressOnAControlDoes)
{
    std::vector<POINT> menus;
    DuringModalLoops watch([&] {
        if (HWND menu = shownWindowOfClass(L"#32768")) {
            RECT r;
            GetWindowRect(menu, &r);
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

    // A press on a disabled control reaches the window, yet opens nothing.
    window().lockInputs();
    clickOn(control("Text1"), true);
    clickOn(control("Combo1"), true);
    EXPECT_EQ(menus.size(), 2u);
    clickAt({corner.x + 5, corner.y + 5}, true);
    EXPECT_EQ(menus.size(), 3u) << "a press on the background does";
}

TEST_F(KeyboardTest, MessageBoxesHoldEveryWindowAndAVanishedOwnerCountsAsCancel)
{
    AboutWindow& about = program.about().show();
    settle();
    HWND timer = hwndOf(window());
    HWND aboutHwnd = hwndOf(about);
    std::vector<std::wstring> boxes;
    bool allHeld = false;
    DuringModalLoops watch([&] {
        HWND box = shownWindowOfClass(L"#32770");
        if (!box) return;
        wchar_t text[256]{};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        boxes.push_back(text);
        allHeld = !IsWindowEnabled(timer) && !IsWindowEnabled(aboutHwnd);
        // Another program closes the asking window; any other box is a failure report.
        PostMessageW(boxes.back() == L"检查更新？" ? aboutHwnd : box, WM_CLOSE, 0, 0);
    });
    HWND link = static_cast<Win32Window&>(about.window()).controlHandle("Label7");
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    settle();

    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), L"检查更新？") << "no failure was reported";
    EXPECT_TRUE(allHeld);
    EXPECT_TRUE(commands().empty()) << "the question counts as declined";
    EXPECT_EQ(program.about().get(), nullptr) << "dropped once its handler had returned";
    EXPECT_TRUE(window().loaded());
    EXPECT_TRUE(IsWindowEnabled(timer));
}

}  // namespace
}  // namespace kestrow::win32
