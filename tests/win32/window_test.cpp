// Geometry, close causes, mouse routing and change notifications of real
// windows made through Win32Desktop.
#include "platform/win32/dpi.h"
#include "tests/win32/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

using testing::clientSize;
using testing::hasStyle;
using testing::hwndOf;
using testing::native;
using testing::pumpFor;
using testing::pumpMessages;
using testing::pumpUntil;

WindowDefinition windowDefinition(std::string caption, int width, int height, Border border = Border::FixedSingle,
                      Colour background = colours::buttonFace)
{
    WindowDefinition def;
    def.caption = std::move(caption);
    def.clientWidth = width;
    def.clientHeight = height;
    def.border = border;
    def.background = background;
    return def;
}

class WindowTest : public ::testing::Test {
protected:
    std::unique_ptr<NativeWindow> make(WindowDefinition def)
    {
        auto window = desktop.createWindow(std::move(def));
        pumpMessages();
        return window;
    }

    Win32Desktop desktop;
    const int dpi = systemDpi();
};

TEST_F(WindowTest, FixedSingleHasExactClientAreaAndOnlyACloseBox)
{
    auto window = make(windowDefinition("Kestrow", 3450, 7920));
    HWND hwnd = hwndOf(*window);
    if (testing::expectedDpi()) {
        ASSERT_EQ(native(*window).currentDpi(), testing::expectedDpi());
    }
    const SIZE client = clientSize(hwnd);
    EXPECT_EQ(client.cx, twipsToPixels(3450, dpi));
    EXPECT_EQ(client.cy, twipsToPixels(7920, dpi));
    EXPECT_TRUE(hasStyle(hwnd, WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(hasStyle(hwnd, WS_THICKFRAME));
    EXPECT_FALSE(hasStyle(hwnd, WS_MINIMIZEBOX));
    EXPECT_FALSE(hasStyle(hwnd, WS_MAXIMIZEBOX));
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "windows are created hidden";
    // The outer size read back includes the frame.
    EXPECT_GT(window->height(), 7920);
}

TEST_F(WindowTest, BorderlessWindowIsExactlyItsClientSize)
{
    auto window = make(windowDefinition("关注我们", 16650, 10770, Border::None, colours::buttonText));
    HWND hwnd = hwndOf(*window);
    RECT outer;
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, twipsToPixels(16650, dpi));
    EXPECT_EQ(outer.bottom - outer.top, twipsToPixels(10770, dpi));
    EXPECT_FALSE(hasStyle(hwnd, WS_CAPTION));
    EXPECT_TRUE(hasStyle(hwnd, WS_POPUP));
    EXPECT_EQ(clientSize(hwnd).cx, outer.right - outer.left);
}

TEST_F(WindowTest, CaptionedWindowShrinksBelow600TwipsAndPositionsReadBackInPixels)
{
    auto window = make(windowDefinition("关于", 6450, 3735));
    window->show();
    // No minimum height of its own, not even its title bar.
    window->setHeight(0);
    EXPECT_DOUBLE_EQ(window->height(), 0);
    window->setHeight(400);
    EXPECT_LT(window->height(), 600);
    EXPECT_GT(window->height(), 0);
    window->setHeight(4035);
    EXPECT_DOUBLE_EQ(window->height(), pixelsToTwips(twipsToPixels(4035, dpi), dpi));

    window->setLeft(1000);
    window->setTop(2000);
    EXPECT_DOUBLE_EQ(window->left(), pixelsToTwips(twipsToPixels(1000, dpi), dpi));
    EXPECT_DOUBLE_EQ(window->top(), pixelsToTwips(twipsToPixels(2000, dpi), dpi));
    // The width read back is the outer one, frame included.
    RECT outer;
    GetWindowRect(hwndOf(*window), &outer);
    EXPECT_DOUBLE_EQ(window->width(), pixelsToTwips(outer.right - outer.left, dpi));
    EXPECT_GT(window->width(), 6450);
}

// Windows 7: no GetDpiForWindow, GetDpiForSystem or AdjustWindowRectExForDpi,
// only the system DPI (the manifest makes the process aware of it). Windows
// still open at that DPI with their exact client area.
TEST(WindowsSeven, WindowsKeepTheirSizeAtTheSystemDpiWithoutTheNewerFunctions)
{
    Win32Desktop desktop(&findNothing);
    const int dpi = systemDpi(&findNothing);
    if (testing::expectedDpi()) {
        ASSERT_EQ(dpi, testing::expectedDpi());
    }
    auto window = desktop.createWindow(windowDefinition("Kestrow", 3450, 7920));
    pumpMessages();
    HWND hwnd = hwndOf(*window);
    EXPECT_EQ(native(*window).currentDpi(), dpi);
    EXPECT_EQ(clientSize(hwnd).cx, twipsToPixels(3450, dpi));
    EXPECT_EQ(clientSize(hwnd).cy, twipsToPixels(7920, dpi));
}

TEST_F(WindowTest, CloseRequestsCarryTheirCauseAndNeverCloseByThemselves)
{
    std::vector<CloseCause> causes;
    WindowDefinition def = windowDefinition("Kestrow", 3000, 3000);
    def.onCloseRequest = [&](CloseCause cause) { causes.push_back(cause); };
    auto window = make(std::move(def));
    HWND hwnd = hwndOf(*window);

    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);  // the session goes on
    SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);

    EXPECT_EQ(causes, (std::vector<CloseCause>{CloseCause::User, CloseCause::TaskManager, CloseCause::SessionEnd}));
    EXPECT_TRUE(IsWindow(hwnd)) << "only the portable handler closes a window";
}

TEST_F(WindowTest, BackgroundPressesAndClicksReachTheWindowButNotThroughLabels)
{
    std::vector<std::string> events;
    WindowDefinition def = windowDefinition("Kestrow", 3000, 3000);
    def.onMouseDown = [&](int buttons) { events.push_back("down" + std::to_string(buttons)); };
    def.onClick = [&] { events.push_back("click"); };
    auto window = make(std::move(def));
    LabelDefinition labelDefinition;
    labelDefinition.name = "Label1";
    labelDefinition.caption = "关于";
    labelDefinition.bounds = {0, 0, 1500, 600};
    labelDefinition.onClick = [&] { events.push_back("label"); };
    window->addLabel(labelDefinition);
    HWND hwnd = hwndOf(*window);
    HWND label = native(*window).controlHandle("Label1");
    ASSERT_NE(label, nullptr);

    const LPARAM background = MAKELPARAM(150, 150);
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, background);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, background);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, background);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, background);  // no press before it: no click
    SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    pumpMessages();

    EXPECT_EQ(events, (std::vector<std::string>{"down2", "down1", "click", "label"}));
}

TEST_F(WindowTest, PostedCallbacksWaitUntilNoHandlerIsRunning)
{
    std::vector<std::string> events;
    WindowDefinition def = windowDefinition("Kestrow", 3000, 3000);
    def.onMouseDown = [&](int) {
        desktop.post([&] { events.push_back("posted"); });
        pumpMessages();  // as the modal loop of a message box or menu would
        events.push_back("handled");
    };
    auto window = make(std::move(def));
    SendMessageW(hwndOf(*window), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 150));
    pumpMessages();
    EXPECT_EQ(events, (std::vector<std::string>{"handled", "posted"}));
}

TEST_F(WindowTest, SettingAFieldsTextRunsItsChangeHandlerNestedBeforeReturning)
{
    auto window = make(windowDefinition("Kestrow", 3000, 3000));
    TextField* field = nullptr;
    std::vector<std::string> seen;
    int depth = 0;
    int deepest = 0;
    TextFieldDefinition def;
    def.text = "1";
    def.bounds = {0, 0, 1000, 500};
    def.onChange = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        seen.push_back(field->text());
        if (field->text().empty()) field->setText("0");  // as the duration fields do
        --depth;
    };
    field = &window->addTextField(def);
    EXPECT_TRUE(seen.empty()) << "the initial text is no change";

    field->setText("");
    EXPECT_EQ(seen, (std::vector<std::string>{"", "0"}));
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(field->text(), "0");

    // The same text again is still a change.
    field->setText("0");
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(WindowTest, TimersTickWhileEnabledAndStopAtOnce)
{
    auto window = make(windowDefinition("Kestrow", 3000, 3000));
    int ticks = 0;
    Timer* timer = nullptr;
    timer = &window->addTimer({"Timer1", 20, true, [&] {
                                   if (++ticks == 3) timer->setEnabled(false);
                               }});
    window->addTimer({"Timer2", 20, false, [&] { ticks += 100; }});
    pumpFor(400);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer->enabled());
}

TEST_F(WindowTest, ANewIntervalReplacesTheRunningOneAndARefusedTimerSaysWhy)
{
    auto window = make(windowDefinition("Kestrow", 3000, 3000));
    int ticks = 0;
    Timer& timer = window->addTimer({"Timer1", 60'000, true, [&] { ++ticks; }});
    timer.setInterval(20);
    EXPECT_TRUE(pumpUntil([&] { return ticks > 0; }, 500));

    // SetTimer takes only a window of the calling thread; the desktop's is not.
    Win32Timer refused(GetDesktopWindow(), 1, {"Timer1", 1000, true, {}});
    EXPECT_FALSE(refused.enabled());
    EXPECT_FALSE(refused.failure().empty());
}

TEST_F(WindowTest, AfterDestroyTheObjectsReadEmptyAndChangeNothingAndRaiseNothing)
{
    int ticks = 0;
    auto window = make(windowDefinition("Kestrow", 3000, 3000));
    LabelDefinition labelDefinition;
    labelDefinition.caption = "距离";
    Label& label = window->addLabel(labelDefinition);
    Timer& timer = window->addTimer({"Timer1", 10, true, [&] { ++ticks; }});
    label.setCaption("预定");
    label.setVisible(false);
    HWND hwnd = hwndOf(*window);

    window->destroy();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(label.caption(), "");
    EXPECT_FALSE(label.visible());
    EXPECT_FALSE(timer.enabled());
    label.setCaption("距离");
    label.setVisible(true);
    EXPECT_FALSE(label.visible());
    timer.setEnabled(false);
    timer.setEnabled(true);
    pumpFor(50);
    EXPECT_EQ(ticks, 0);
    window->destroy();  // twice is harmless
}

}  // namespace
}  // namespace kestrow::win32
