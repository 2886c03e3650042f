// The command runner starts shutdown.exe and explorer.exe from the folders
// it was given, without waiting, tells how they ended, and runs nothing else.
// The "system" folders here are temporary ones holding a harmless recorder
// under those names.
#include "platform/win32/command_runner.h"
#include "tests/win32/test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace kestrow::win32 {
namespace {

std::wstring exeFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring readWide(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    wchar_t buffer[512]{};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer - sizeof(wchar_t), &read, nullptr);
    CloseHandle(file);
    return std::wstring(buffer, read / sizeof(wchar_t));
}

bool waitFor(const std::wstring& path, DWORD ms)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (exists(path)) return true;
        Sleep(50);
    }
    return exists(path);
}

class CommandRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"kestrow-runner-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        system = root + L"system32\\";
        windows = root + L"windows\\";
        current = root + L"current\\";
        for (const auto& folder : {root, system, windows, current, root + L"empty\\"}) {
            CreateDirectoryW(folder.c_str(), nullptr);
        }
        const std::wstring recorder = exeFolder() + L"kestrow_record_args.exe";
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (system + L"shutdown.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (windows + L"explorer.exe").c_str(), FALSE));
        // A planted copy in the current folder, which must never run.
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (current + L"shutdown.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (current + L"explorer.exe").c_str(), FALSE));
        GetCurrentDirectoryW(MAX_PATH, temp);
        previous = temp;
        SetCurrentDirectoryW(current.c_str());
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(previous.c_str());
        for (const auto& folder : {system, windows, current}) {
            for (const wchar_t* file : {L"shutdown.exe", L"explorer.exe", L"ran.txt", L"folder.txt", L"done.txt"}) {
                DeleteFileW((folder + file).c_str());
            }
            RemoveDirectoryW(folder.c_str());
        }
        RemoveDirectoryW((root + L"empty\\").c_str());
        RemoveDirectoryW(root.c_str());
    }

    Win32Desktop desktop;
    std::wstring root, system, windows, current, previous;
};

TEST_F(CommandRunnerTest, StartsShutdownFromTheSystemFolderWithoutWaitingAndTellsItsEnd)
{
    Win32CommandRunner runner(desktop, system, windows);
    SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", L"1190");
    std::optional<CommandOutcome> outcome;
    const CommandStart start =
        runner.run(shutdownCommand({"-s", "-t", "60"}), [&](const CommandOutcome& ended) { outcome = ended; });
    SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", nullptr);
    EXPECT_FALSE(exists(system + L"done.txt")) << "run() waited for the program to end";
    ASSERT_TRUE(start.started) << start.reason;

    ASSERT_TRUE(waitFor(system + L"done.txt", 30000)) << "the program never ran to its end";
    EXPECT_EQ(readWide(system + L"ran.txt"), L"shutdown -s -t 60") << "the command line is passed exactly";
    EXPECT_EQ(readWide(system + L"folder.txt"), system.substr(0, system.size() - 1)) << "current folder";
    EXPECT_FALSE(exists(current + L"ran.txt")) << "a shutdown.exe in the current folder ran";
    for (int i = 0; i < 200 && !outcome; ++i) {
        Sleep(50);
        testing::pumpMessages();
    }
    ASSERT_TRUE(outcome) << "the end was never told";
    EXPECT_EQ(outcome->exitCode, 1190u);
    EXPECT_FALSE(outcome->message.empty()) << "the system's words for the code";
    EXPECT_EQ(runner.waiting(), 0u);
}

TEST_F(CommandRunnerTest, AProgramThatOutlivesThePatienceIsNeverToldAbout)
{
    Win32CommandRunner runner(desktop, system, windows, 200);
    bool told = false;
    ASSERT_TRUE(runner.run(shutdownCommand({"-a"}), [&](const CommandOutcome&) { told = true; }).started);
    ASSERT_TRUE(waitFor(system + L"done.txt", 30000));
    for (int i = 0; i < 20; ++i) {
        Sleep(50);
        testing::pumpMessages();
    }
    EXPECT_FALSE(told);
    EXPECT_EQ(runner.waiting(), 0u) << "the wait was cleaned up";
}

TEST_F(CommandRunnerTest, StartsExplorerFromTheWindowsFolder)
{
    Win32CommandRunner runner(desktop, system, windows);
    ASSERT_TRUE(runner.run(openPageCommand("https://tieba.baidu.com/f?kw=vornic"), {}).started);
    ASSERT_TRUE(waitFor(windows + L"done.txt", 30000));
    EXPECT_EQ(readWide(windows + L"ran.txt"), L"explorer.exe https://tieba.baidu.com/f?kw=vornic");
    EXPECT_FALSE(exists(current + L"ran.txt"));
    EXPECT_FALSE(exists(system + L"ran.txt"));
}

TEST_F(CommandRunnerTest, RefusesEveryOtherCommandAndReportsAMissingProgram)
{
    Win32CommandRunner runner(desktop, system, windows);
    for (const Command& command : {shutdownCommand({"-s", "-t", "-1"}), shutdownCommand({"/c", "echo"}),
                                   shutdownCommand({"-s", "-t", "060"}), openPageCommand("https://a b"),
                                   openPageCommand("file:///C:/x")}) {
        const CommandStart start = runner.run(command, {});
        EXPECT_FALSE(start.started) << command.line();
        EXPECT_FALSE(start.reason.empty()) << command.line();
    }

    Win32CommandRunner nowhere(desktop, root + L"empty\\", root + L"empty\\");
    const CommandStart missing = nowhere.run(shutdownCommand({"-a"}), {});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.reason.empty()) << "the system's reason is passed on";
    Sleep(500);
    EXPECT_FALSE(exists(current + L"ran.txt")) << "the runner fell back to the current folder";
}

}  // namespace
}  // namespace kestrow::win32
