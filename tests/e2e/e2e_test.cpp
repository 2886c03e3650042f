// End-to-end tests: the real kestrow.exe driven from another process through
// window messages, the way clicks and key presses reach it. Every command line
// it runs lands in the recorder's log (recorder.cpp stands in for shutdown.exe
// and explorer.exe in this Wine prefix); that log is what gets checked.
//
// Usage: e2e_test.exe [gtest flags] <kestrow.exe> <commands.log>
#include "platform/win32/text.h"
#include "tests/e2e/window_driver.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace kestrow::drive;
using kestrow::win32::narrow;

std::wstring g_exe;
std::wstring g_log;

// For a click whose handler returns without a modal loop.
void press(HWND button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(click(button)) << "the click did not return: a message box is probably up";
}

// A user's next press on the button that has just taken the place of the
// one pressed: no second click of a double-click, which it would ignore.
void pressAfterAMoment(HWND button)
{
    Sleep(GetDoubleClickTime());
    press(button);
}

// Has run_e2e.sh stop kestrow.exe's process for ms (SIGSTOP, then SIGCONT),
// as a busy machine or a debugger would hold it; returns once it runs again.
void stallKestrow(int ms)
{
    const std::wstring folder = g_log.substr(0, g_log.find_last_of(L'\\') + 1);
    const std::filesystem::path request = folder + L"stall-request", aside = folder + L"stall-request.tmp",
                                done = folder + L"stall-done";
    std::filesystem::remove(done);
    // Written aside and moved in, so the script never reads half of it.
    std::ofstream(aside) << ms;
    std::filesystem::rename(aside, request);
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(done); }, ms + kPatience))
        << "nothing stopped the process: run the tests through run_e2e.sh";
    long pid = 0;
    std::ifstream(done) >> pid;
    ASSERT_GT(pid, 0) << "run_e2e.sh found no kestrow.exe of this prefix to stop";
}

// ---------------------------------------------------------------- message boxes

struct Box {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring text;  // the static with id 0xFFFF holds the prompt
};

Box waitForBox(DWORD pid)
{
    Box box;
    if (!waitUntil([&] { return (box.hwnd = findShown(pid, L"#32770")) != nullptr; })) {
        ADD_FAILURE() << "no message box appeared";
        return box;
    }
    box.title = textOf(box.hwnd);
    box.text = textOf(GetDlgItem(box.hwnd, 0xFFFF));
    return box;
}

void answer(const Box& box, int id)
{
    ASSERT_NE(box.hwnd, nullptr);
    HWND button = GetDlgItem(box.hwnd, id);
    ASSERT_NE(button, nullptr) << "the box has no button " << id;
    PostMessageW(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box.hwnd); })) << "the box did not close";
}

// The text of the one box with the program's title and an OK button only,
// which this closes.
std::wstring takeMessage(DWORD pid)
{
    const Box box = waitForBox(pid);
    if (!box.hwnd) return {};
    EXPECT_EQ(box.title, L"Kestrow");
    EXPECT_EQ(GetDlgItem(box.hwnd, IDCANCEL), nullptr);
    answer(box, IDOK);
    return box.text;
}

// The program under test runs "shutdown -s -t 60" and the like: before it is
// ever started, the exact paths it uses must lead to the recorder.
bool recorderStandsIn()
{
    CommandLog log{g_log};
    wchar_t system[MAX_PATH], windows[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    GetWindowsDirectoryW(windows, MAX_PATH);
    for (auto [app, line] :
         {std::pair{std::wstring(system) + L"\\shutdown.exe", std::wstring(L"shutdown -probe")},
          std::pair{std::wstring(windows) + L"\\explorer.exe", std::wstring(L"explorer.exe probe:")}}) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        WaitForSingleObject(pi.hProcess, kPatience);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    waitUntil([&] { return log.all().size() >= 2; });
    return log.lines() == std::vector<std::string>{"shutdown -probe", "explorer.exe probe:"};
}

// ---------------------------------------------------------------- the program

class Kestrow : public testing::Test {
protected:
    void SetUp() override
    {
        std::wstring commandLine = L"\"" + g_exe + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessW(g_exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                   &process_))
            << "cannot start " << narrow(g_exe);
        ASSERT_TRUE(waitUntil([&] { return (main_ = findShown(pid(), L"", L"Kestrow")) != nullptr; }, 20000))
            << "the timer window did not appear";
        const auto edits = children(main_, L"Edit");
        ASSERT_EQ(edits.size(), 4u);
        std::copy(edits.begin(), edits.end(), field_);
        const auto combos = children(main_, L"ComboBox");
        ASSERT_EQ(combos.size(), 2u);
        action_ = combos[0];
        runMode_ = combos[1];
    }

    void TearDown() override
    {
        if (!process_.hProcess) return;
        if (!exited(0)) TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kPatience);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }

    DWORD pid() const { return process_.dwProcessId; }
    bool exited(int ms = kPatience) const { return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }
    HWND button(const std::wstring& caption) const { return child(main_, L"Button", caption); }
    std::wstring field(int i) const { return textOf(field_[i]); }
    std::wstring fields() const { return field(0) + L" " + field(1) + L" " + field(2) + L" " + field(3); }
    void setFields(const std::wstring& d, const std::wstring& h, const std::wstring& m, const std::wstring& s)
    {
        for (int i = 0; const auto& text : {d, h, m, s}) setText(field_[i++], text);
    }
    void expectInputsEnabled()
    {
        for (HWND input : {field_[0], field_[1], field_[2], field_[3], action_, runMode_}) EXPECT_TRUE(enabled(input));
    }

    // Right button pressed on the background, then the item at index of the
    // popup menu chosen with the keyboard.
    void chooseFromPopup(HWND window, int index)
    {
        HWND menu = openPopupMenu(window);
        ASSERT_NE(menu, nullptr) << "no popup menu";
        choose(menu, index);
        ASSERT_TRUE(waitUntil([&] { return !findShown(pid(), L"#32768"); })) << "the popup menu stayed open";
    }

    HWND openAbout()
    {
        chooseFromPopup(main_, 1);
        HWND about = nullptr;
        EXPECT_TRUE(waitUntil([&] { return (about = findShown(pid(), L"", L"关于")) != nullptr; })) << "no About";
        return about;
    }

    HWND openFollow(HWND about)
    {
        postLeftClick(child(about, L"Static", L"关注我们"));
        HWND follow = nullptr;
        EXPECT_TRUE(waitUntil([&] { return (follow = findShown(pid(), L"", L"关注我们")) != nullptr; }))
            << "no follow window";
        return follow;
    }

    void unlock()
    {
        if (!shown(button(L"解锁"))) press(button(L"设置"));
        for (int i = 0; i < 3; ++i) press(button(L"解锁"));
    }

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    HWND field_[4] = {};
    HWND action_ = nullptr;
    HWND runMode_ = nullptr;
    CommandLog log_{g_log};
};

// ---------------------------------------------------------------- tests

// Stopped for 3 s after 1.5 s of a 6-s countdown: on waking the fields show
// what is really left and the action comes at the deadline, in either mode.
class StalledCountdown : public Kestrow, public testing::WithParamInterface<bool> {};

TEST_P(StalledCountdown, ActionComesAtTheDeadline)
{
    const bool foreground = GetParam();
    if (foreground) {
        press(button(L"设置"));
        setText(runMode_, L"前台模式(无弹窗)");
    }
    setFields(L"0", L"0", L"0", L"6");
    const auto started = fileTimeNow();
    const auto secondsLeft = [&] { return 6 - static_cast<int>((fileTimeNow() - started) / 10'000'000); };
    press(button(L"走起!"));
    Sleep(1500);
    stallKestrow(3000);
    Sleep(300);                          // for the tick that was due while it stood still
    const int most = secondsLeft() + 1;  // the step due may not have run yet
    const int shown = _wtoi(field(3).c_str());
    const int least = secondsLeft();
    EXPECT_TRUE(shown >= least && shown <= most) << shown << " s shown, " << least << " s left";

    const RecordedCommand issued = log_.waitFor(foreground ? 1 : 2);
    EXPECT_EQ(issued.line, "shutdown -s -t 0");
    const double late = static_cast<double>(issued.stamp - started) / 1e7 - 6;
    EXPECT_GT(late, -0.05);
    EXPECT_LT(late, 0.6) << "Wine starts the recorder in about 50 ms; the rest is a loaded machine";
    if (!foreground) {
        EXPECT_EQ(log_.lines().front(), "shutdown -s -t 6");
    }
}

INSTANTIATE_TEST_SUITE_P(RunModes, StalledCountdown, testing::Bool(),
                         [](const auto& mode) { return mode.param ? "Foreground" : "Background"; });

// The layouts on the way, the unlock guard and a restart from the time left
// are the unit tests'.
TEST_F(Kestrow, BackgroundCountdownHandsTheDelayOverAndStopsAfterUnlock)
{
    press(button(L"走起!"));
    EXPECT_EQ(log_.waitFor(1).line, "shutdown -s -t 60");
    unlock();
    HWND stop = button(L"停止!");
    ASSERT_TRUE(enabled(stop));

    ASSERT_TRUE(waitUntil([&] { return field(2) == L"0"; }));
    press(stop);
    EXPECT_EQ(log_.waitFor(2).line, "shutdown -a");
    // The window unlocks once shutdown.exe has said the abort went through.
    EXPECT_TRUE(waitUntil([&] { return !shown(stop); }));
    EXPECT_TRUE(shown(button(L"走起!")));
    expectInputsEnabled();
}

// Which durations are refused is the unit tests'; here, the refusal's box.
TEST_F(Kestrow, BadDurationsAreRefusedInABox)
{
    setFields(L"0", L"0", L"1", L"1.5");
    postClick(button(L"走起!"));
    EXPECT_EQ(takeMessage(pid()), L"请输入正确的时间。");
    EXPECT_TRUE(shown(button(L"走起!")));
    EXPECT_TRUE(log_.lines().empty());
}

// The delay from the machine's own clock; the mode's layouts and the
// readings refused are the unit tests'.
TEST_F(Kestrow, TimePointIsScheduledWithTheDelayAndCancelledAfterUnlock)
{
    press(button(L"定时刻"));

    // Tomorrow at the start of this hour: 86400 less the minutes and seconds
    // gone since then.
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    setFields(L"1", std::to_wstring(before.wHour), L"0", L"0");
    press(button(L"预定!"));
    GetLocalTime(&after);
    const std::string line = log_.waitFor(1).line;
    ASSERT_EQ(line.rfind("shutdown -s -t ", 0), 0u) << line;
    const long delay = std::stol(line.substr(15));
    if (before.wHour == after.wHour) {
        EXPECT_LE(delay, 86400L - before.wMinute * 60L - before.wSecond);
        EXPECT_GE(delay, 86400L - after.wMinute * 60L - after.wSecond);
    }

    HWND cancel = button(L"取消!");
    ASSERT_TRUE(shown(cancel));
    unlock();
    pressAfterAMoment(cancel);
    EXPECT_EQ(log_.waitFor(2).line, "shutdown -a");
    EXPECT_TRUE(waitUntil([&] { return shown(button(L"预定!")); }));
    expectInputsEnabled();
    EXPECT_EQ(log_.lines().size(), 2u);
}

// shutdown.exe answering as Windows does when another shutdown is pending.
class KestrowRefused : public Kestrow {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", L"1190");
        Kestrow::SetUp();
        SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", nullptr);
    }
};

TEST_F(KestrowRefused, ARefusedStartIsReportedAndTheWindowIsIdleAgain)
{
    press(button(L"走起!"));
    EXPECT_EQ(log_.waitFor(1).line, "shutdown -s -t 60");
    const Box box = waitForBox(pid());
    EXPECT_EQ(box.text.rfind(L"命令执行失败：shutdown -s -t 60\r\n", 0), 0u) << narrow(box.text);
    EXPECT_GT(box.text.size(), std::wstring(L"命令执行失败：shutdown -s -t 60\r\n").size()) << "the system's words";
    EXPECT_TRUE(shown(button(L"走起!")));
    answer(box, IDOK);
}

// The help's words are the unit tests'; here, that the menu's first item
// brings up the help of the mode the window is in.
TEST_F(Kestrow, HelpFollowsTheMode)
{
    chooseFromPopup(main_, 0);
    EXPECT_NE(takeMessage(pid()).find(L"按下“走起”即可开始倒计时关机"), std::wstring::npos);
    press(button(L"定时刻"));
    chooseFromPopup(main_, 0);
    EXPECT_NE(takeMessage(pid()).find(L"按下“预定”即可开始定时关机"), std::wstring::npos);
}

TEST_F(Kestrow, AboutWindowShowsChangeLogOpensPagesAndFollowWindow)
{
    HWND about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);

    postLeftClick(child(about, L"Static", L"更新日志"));
    // Its words are the unit tests'.
    EXPECT_EQ(takeMessage(pid()).rfind(L"*****更新日志*****", 0), 0u);

    for (int reply : {IDCANCEL, IDOK}) {
        postLeftClick(child(about, L"Static", L"检查更新"));
        const Box ask = waitForBox(pid());
        EXPECT_EQ(ask.text, L"检查更新？");
        EXPECT_EQ(ask.title, L"提示");
        answer(ask, reply);
    }
    const std::string page = log_.waitFor(1).line;
    EXPECT_EQ(page.rfind("explorer.exe https://", 0), 0u) << page;

    HWND follow = openFollow(about);
    ASSERT_NE(follow, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(follow, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "borderless";
    std::vector<HWND> pictures;
    for (HWND h : children(follow, L"Static")) {
        if ((GetWindowLongPtrW(h, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) pictures.push_back(h);
    }
    ASSERT_EQ(pictures.size(), 6u);
    postLeftClick(pictures[0]);
    const std::string channel = log_.waitFor(2).line;
    EXPECT_EQ(channel.rfind("explorer.exe http", 0), 0u) << channel;

    // How it slides away is the unit tests'; it goes, and About stays.
    postLeftClick(follow, backgroundPoint(follow));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(follow); }));
    EXPECT_TRUE(IsWindow(about));

    press(child(about, L"Button", L"好"));
    EXPECT_TRUE(IsWindow(about)) << "OK closes with an animation, not at once";
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }));
    EXPECT_EQ(log_.lines().size(), 2u);
}

TEST_F(Kestrow, TaskManagerCloseEndsARunningCountdownWithoutCancellingIt)
{
    press(button(L"走起!"));
    EXPECT_EQ(log_.waitFor(1).line, "shutdown -s -t 60");
    PostMessageW(main_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(exited());
    Sleep(300);
    EXPECT_EQ(log_.lines().size(), 1u) << "closing cancels nothing handed to the system";
}

TEST_F(Kestrow, SessionEndClosesEveryWindowAtOnce)
{
    HWND about = openAbout();
    ASSERT_NE(about, nullptr);
    HWND follow = openFollow(about);
    ASSERT_NE(follow, nullptr);
    ASSERT_TRUE(atRest(about));
    const int full = height(about);

    // As the system does it: every top-level window is asked, then told.
    const auto windows = topLevel(pid());
    for (HWND h : windows) {
        DWORD_PTR agreed = 0;
        SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kPatience, &agreed);
        EXPECT_TRUE(agreed);
    }
    for (HWND h : windows)
        SendMessageTimeoutW(h, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kPatience, nullptr);
    int smallest = full;
    EXPECT_TRUE(waitUntil(
        [&] {
            if (IsWindow(about)) smallest = std::min(smallest, height(about));
            return !IsWindow(about) && !IsWindow(follow) && !IsWindow(main_);
        },
        2000));
    EXPECT_EQ(smallest, full) << "the About window shrank: it was animated";
    EXPECT_TRUE(exited());
    EXPECT_TRUE(log_.lines().empty());
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // GoogleTest has taken its flags; what is left are the two paths.
    int wargc = 0;
    LPWSTR* wargv = CommandLineToArgvW(GetCommandLineW(), &wargc);
    std::vector<std::wstring> rest;
    for (int i = 1; i < wargc; ++i) {
        if (wcsncmp(wargv[i], L"--gtest", 7) != 0) rest.push_back(wargv[i]);
    }
    LocalFree(wargv);
    if (rest.size() != 2) {
        fprintf(stderr, "usage: e2e_test.exe [gtest flags] <kestrow.exe> <commands.log>\n");
        return 2;
    }
    g_exe = rest[0];
    g_log = rest[1];
    if (!recorderStandsIn()) {
        fprintf(stderr, "shutdown.exe or explorer.exe is not the recorder here: kestrow.exe is not started\n");
        return 3;
    }
    return RUN_ALL_TESTS();
}
