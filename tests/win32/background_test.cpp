// The program as it lives on a desktop: counting down behind the program
// the user works in, answered by a console shutdown.exe, under settings the
// user changes meanwhile. Real input where the user's hand matters.
#include "platform/win32/text.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kestrow::win32 {
namespace {

using namespace testing;

// A window of some other program, which the user works in, clear of ours.
class OtherProgram {
public:
    OtherProgram()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"OtherProgram";
        RegisterClassW(&wc);
        window_ = CreateWindowW(L"OtherProgram", L"编辑器", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 950, 780, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~OtherProgram() { DestroyWindow(window_); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    void activate()
    {
        SetForegroundWindow(window_);
        pumpUntilInputHandled();
    }
    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The console recorder answers every command with this exit code.
class WindowsAnswers {
public:
    explicit WindowsAnswers(DWORD exitCode)
    {
        SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", std::to_wstring(exitCode).c_str());
    }
    ~WindowsAnswers() { SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", nullptr); }
    WindowsAnswers(const WindowsAnswers&) = delete;
    WindowsAnswers& operator=(const WindowsAnswers&) = delete;
};

class BackgroundTest : public ::testing::Test, protected ShownProgram {
protected:
    HWND timerWindow() { return hwndOf(window()); }
};

TEST_F(BackgroundTest, ARefusalRaisedBehindAnotherProgramIsOwnedAndFoundFromEveryWindow)
{
    AboutWindow& aboutWindow = program.about().show();
    HWND about = hwndOf(aboutWindow);
    pumpUntil([&] { return !aboutWindow.Timer1->enabled(); });  // open in full
    std::vector<std::pair<HWND, bool>> flashes;
    platform.messages.askForAttention = [&](HWND owner, bool on) { flashes.emplace_back(owner, on); };
    OtherProgram editor;
    editor.activate();

    HWND box = nullptr, owner = nullptr, lastPopup = nullptr, frontAfterClick = nullptr;
    bool inside = false;  // the pumping below runs this again
    DuringModalLoops watch([&] {
        HWND shown = shownBox();
        if (!shown || inside) return;
        inside = true;
        if (!box) {
            waitForCommands();  // the console window has come and gone
            box = shown;
            owner = GetWindow(box, GW_OWNER);
            lastPopup = GetLastActivePopup(timerWindow());
            editor.activate();  // the user went on working elsewhere, then clicks the About window
            POINT background{5, 5};
            ClientToScreen(about, &background);
            clickAt(background);
            pumpUntil([&] { return GetForegroundWindow() == box; });
            frontAfterClick = GetForegroundWindow();
        }
        PostMessageW(shown, WM_COMMAND, IDOK, 0);
        inside = false;
    });
    {
        const WindowsAnswers refused(shutdown_exit::kShutdownScheduled);
        window().Command1_Click();  // as a tick would, with the editor in front
        waitForCommands();
    }
    ASSERT_NE(box, nullptr) << "no box reported the refusal";
    EXPECT_EQ(owner, timerWindow());
    EXPECT_EQ(lastPopup, box) << "the timer window's taskbar button brings the box up";
    EXPECT_EQ(frontAfterClick, box) << "a click on the About window brought the box up";
    ASSERT_FALSE(flashes.empty());
    EXPECT_EQ(flashes.front(), std::make_pair(timerWindow(), true));
    EXPECT_EQ(flashes.back(), std::make_pair(timerWindow(), false));
    EXPECT_TRUE(window().Command1->visible()) << "the refused start was undone";
}

TEST_F(BackgroundTest, ADoubleClickOnStopStartsNothing)
{
    window().unlockClicks = 2;
    window().Command4_Click();
    SendMessageW(control("Command1"), BM_CLICK, 0, 0);
    waitForCommands();
    Sleep(GetDoubleClickTime());
    clickOn(control("Command2"));
    // The second click comes as Windows' answer to the first puts 走起! in
    // 停止!'s place, within the double-click time.
    ASSERT_TRUE(pumpUntil([&] { return window().Command1->visible(); })) << "Windows confirmed the abort";
    clickOn(control("Command1"));
    waitForCommands();
    EXPECT_EQ(commands, (std::vector<std::string>{"shutdown -s -t 60", "shutdown -a"}));
}

TEST_F(BackgroundTest, AHeldEnterPressesOnce)
{
    SetFocus(control("Command3"));
    INPUT keys[3]{};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_RETURN;
    }
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;  // two downs: the second is the key's repeat
    SendInput(3, keys, sizeof(INPUT));
    pumpUntilInputHandled();
    EXPECT_TRUE(window().Combo2->visible()) << "设置 was pressed once, not twice";
}

// Wine keeps an open window's frame and sends no WM_SETTINGCHANGE for the
// new metrics: the test sends it, as Windows does.
TEST_F(BackgroundTest, ALargerTitleBarKeepsTheClientAreaAndTheWindowOnTheScreen)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const SIZE before = clientSize(timerWindow());
    NONCLIENTMETRICSW larger = metrics;
    larger.iCaptionHeight = metrics.iCaptionHeight + 30;
    SetWindowPos(timerWindow(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // at the screen's top
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, SPIF_SENDCHANGE);
    // What Windows does to every window: the new frame inside the old size.
    SetWindowPos(timerWindow(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ASSERT_LT(clientSize(timerWindow()).cy, before.cy) << "the frame did not grow";
    SendMessageW(timerWindow(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    const SIZE after = clientSize(timerWindow());
    RECT outer{}, work{};
    GetWindowRect(timerWindow(), &outer);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, SPIF_SENDCHANGE);
    EXPECT_EQ(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);
    EXPECT_TRUE(outer.top >= work.top && outer.bottom <= work.bottom && outer.left >= work.left);
}

// Wine cannot switch high contrast on: the desktop is told it is, and the
// window hears of the change as from Windows.
TEST_F(BackgroundTest, HighContrastPaintsInTheSystemsColoursAndBack)
{
    // Window text and button text in colours of their own, to tell the
    // system's text colour from the labels' own.
    const int elements[] = {COLOR_WINDOWTEXT, COLOR_BTNTEXT};
    const COLORREF before[] = {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNTEXT)};
    const COLORREF green = RGB(0, 128, 0), blue = RGB(0, 0, 128), distinct[] = {green, blue};
    SetSysColors(2, elements, distinct);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, pixel);
    const auto colours = [&] {
        SendMessageW(timerWindow(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        const COLORREF background = GetPixel(dc, 0, 0);
        SendMessageW(timerWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control("Label1")));
        const COLORREF labelText = GetTextColor(dc);
        LOGBRUSH field{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(timerWindow(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(control("Text1")))),
                   sizeof field, &field);
        return std::vector<COLORREF>{background, labelText, field.lbColor};
    };
    const auto own = colours();
    bool on = true;
    platform.desktop.highContrast = [&] { return on; };
    SendMessageW(timerWindow(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    const auto contrast = colours();
    on = false;
    SendMessageW(timerWindow(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    const auto back = colours();
    SetSysColors(2, elements, before);
    SelectObject(dc, old);
    DeleteObject(pixel);
    DeleteDC(dc);

    EXPECT_EQ(own, (std::vector<COLORREF>{RGB(0xFF, 0xC0, 0xC0), blue, RGB(0xFF, 0xC0, 0xC0)}));
    EXPECT_EQ(contrast, (std::vector<COLORREF>{GetSysColor(COLOR_WINDOW), green, GetSysColor(COLOR_WINDOW)}));
    EXPECT_EQ(back, own);
}

// Wine's taskbar list takes every call; Windows without Explorer has none.
TEST(TaskbarProgressTest, ACountdownRunsToItsEndWithTheTaskbarAndWithout)
{
    for (const bool present : {true, false}) {
        SCOPED_TRACE(present ? "taskbar" : "no taskbar");
        ShownProgram p;
        int made = 0;
        bool gotOne = false;
        const TaskbarListFactory real = p.platform.desktop.makeTaskbarList;
        p.platform.desktop.makeTaskbarList = [&]() -> ITaskbarList3* {
            ++made;
            ITaskbarList3* list = present ? real() : nullptr;
            gotOne = list != nullptr;
            return list;
        };
        p.window().Text3->setText("0");
        p.window().Text4->setText("1");
        p.window().Command1_Click();
        pumpUntil([&] { return !p.window().Timer1->enabled(); });
        p.waitForCommands();
        EXPECT_EQ(p.commands, (std::vector<std::string>{"shutdown -s -t 1", "shutdown -s -t 0"}));
        EXPECT_EQ(made, 1) << "one taskbar list for the window";
        EXPECT_EQ(gotOne, present);
        EXPECT_EQ(shownBox(), nullptr) << "no failure";
        SendMessageW(hwndOf(p.window().window()), WM_CLOSE, 0, 0);
        EXPECT_FALSE(p.window().loaded());
    }
}

// Another program closes the last window while its popup menu's own loop
// runs, and that loop may take the quit message away.
TEST_F(BackgroundTest, TheProgramEndsWithItsLastWindowWhileItsMenuIsOpen)
{
    bool closed = false, gaveUp = false;
    const ULONGLONG start = GetTickCount64();
    DuringModalLoops watch([&] {
        if (!closed && shownMenu()) {
            closed = true;
            PostMessageW(timerWindow(), WM_CLOSE, 0, 0);
        }
        if (GetTickCount64() - start > 10000 && !gaveUp) {
            gaveUp = true;  // a test that fails, not one that hangs
            EndMenu();
            PostQuitMessage(1);
        }
    });
    POINT corner{5, 5};
    PostMessageW(timerWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(corner.x, corner.y));
    platform.desktop.run();
    EXPECT_TRUE(closed) << "no popup menu";
    EXPECT_FALSE(gaveUp) << "the program outlived its last window";
    EXPECT_FALSE(window().loaded());
}

}  // namespace
}  // namespace kestrow::win32
