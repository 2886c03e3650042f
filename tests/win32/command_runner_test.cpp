// The command runner starts shutdown.exe and explorer.exe from the folders
// it was given, without waiting, tells how they ended, and runs nothing else.
// The "system" folders here are temporary ones holding a harmless recorder
// under those names.
#include "platform/win32/command_runner.h"
#include "platform/win32/text.h"
#include "tests/win32/test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace kestrow::win32 {
namespace {

// The recorder's log beside a planted copy (see tests/e2e/recorder.cpp): a
// copy that ran has one.
constexpr wchar_t kLog[] = L"kestrow-commands.log";

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Recorded {
    std::string folder;  // the program's current folder
    std::string line;    // its command line
};

// The line the copy in this folder wrote as it ended, once it has.
std::optional<Recorded> recorded(const std::wstring& folder)
{
    HANDLE file = CreateFileW((folder + kLog).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    char buffer[2048];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    const std::string text(buffer, read);
    const size_t folderAt = text.find('\t') + 1, lineAt = text.find('\t', folderAt) + 1, end = text.find('\n');
    if (folderAt == 0 || lineAt == 0 || end == std::string::npos || end < lineAt) return {};
    return Recorded{text.substr(folderAt, lineAt - 1 - folderAt), text.substr(lineAt, end - lineAt)};
}

std::optional<Recorded> waitForEnd(const std::wstring& folder)
{
    for (int waited = 0; waited < 30000 && !recorded(folder); waited += 50) Sleep(50);
    return recorded(folder);
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
        // The build puts the recorder there, relative to this test.
        const std::wstring recorder = testing::exeFolder() + KESTROW_RECORDER_FROM_TESTS;
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (system + L"shutdown.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (windows + L"explorer.exe").c_str(), FALSE));
        // A planted copy in the current folder, which must never run.
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (current + L"shutdown.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(recorder.c_str(), (current + L"explorer.exe").c_str(), FALSE));
        GetCurrentDirectoryW(MAX_PATH, temp);
        previous = temp;
        SetCurrentDirectoryW(current.c_str());
        // Each copy logs beside itself, and lives on a while after it starts.
        SetEnvironmentVariableW(L"KESTROW_RECORDER_LOG", nullptr);
        SetEnvironmentVariableW(L"KESTROW_RECORDER_STAY_MS", L"1500");
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(previous.c_str());
        SetEnvironmentVariableW(L"KESTROW_RECORDER_STAY_MS", nullptr);
        for (const auto& folder : {system, windows, current}) {
            for (const wchar_t* file : {L"shutdown.exe", L"explorer.exe", kLog}) {
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
        runner.run(shutdownCommandLine({"-s", "-t", "60"}), [&](const CommandOutcome& ended) { outcome = ended; });
    SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", nullptr);
    EXPECT_FALSE(exists(system + kLog)) << "run() waited for the program to end";
    ASSERT_TRUE(start.started) << start.reason;

    const auto ran = waitForEnd(system);
    ASSERT_TRUE(ran) << "the program never ran to its end";
    EXPECT_EQ(ran->line, "shutdown -s -t 60") << "the command line is passed exactly";
    EXPECT_EQ(ran->folder, narrow(system.substr(0, system.size() - 1))) << "current folder";
    EXPECT_FALSE(exists(current + kLog)) << "a shutdown.exe in the current folder ran";
    for (int i = 0; i < 200 && !outcome; ++i) {
        Sleep(50);
        testing::pumpMessages();
    }
    ASSERT_TRUE(outcome) << "the end was never told";
    EXPECT_EQ(outcome->exitCode, 1190u);
    EXPECT_FALSE(outcome->message.empty()) << "the system's words for the code";
    for (int i = 0; i < 100 && !runner.idle(); ++i) {
        Sleep(50);
        testing::pumpMessages();
    }
    EXPECT_TRUE(runner.idle());
}

TEST_F(CommandRunnerTest, AProgramThatOutlivesThePatienceIsNeverToldAbout)
{
    Win32CommandRunner runner(desktop, system, windows, 200);
    bool told = false;
    ASSERT_TRUE(runner.run(shutdownCommandLine({"-a"}), [&](const CommandOutcome&) { told = true; }).started);
    ASSERT_TRUE(waitForEnd(system));
    for (int i = 0; i < 20; ++i) {
        Sleep(50);
        testing::pumpMessages();
    }
    EXPECT_FALSE(told);
    EXPECT_TRUE(runner.idle()) << "the wait was cleaned up";
}

TEST_F(CommandRunnerTest, StartsExplorerFromTheWindowsFolder)
{
    Win32CommandRunner runner(desktop, system, windows);
    ASSERT_TRUE(runner.run(openPageCommandLine("https://tieba.baidu.com/f?kw=vornic"), {}).started);
    const auto ran = waitForEnd(windows);
    ASSERT_TRUE(ran);
    EXPECT_EQ(ran->line, "explorer.exe https://tieba.baidu.com/f?kw=vornic");
    EXPECT_FALSE(exists(current + kLog));
    EXPECT_FALSE(exists(system + kLog));
}

TEST_F(CommandRunnerTest, RefusesEveryOtherCommandAndReportsAMissingProgram)
{
    Win32CommandRunner runner(desktop, system, windows);
    for (const CommandLine& command :
         {shutdownCommandLine({"-s", "-t", "-1"}), shutdownCommandLine({"/c", "echo"}),
          shutdownCommandLine({"-s", "-t", "060"}), openPageCommandLine("https://a b"),
          openPageCommandLine("file:///C:/x")}) {
        const CommandStart start = runner.run(command, {});
        EXPECT_FALSE(start.started) << command.text();
        EXPECT_FALSE(start.reason.empty()) << command.text();
    }

    Win32CommandRunner nowhere(desktop, root + L"empty\\", root + L"empty\\");
    const CommandStart missing = nowhere.run(shutdownCommandLine({"-a"}), {});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.reason.empty()) << "the system's reason is passed on";
    Sleep(500);
    EXPECT_FALSE(exists(current + kLog)) << "the runner fell back to the current folder";
}

}  // namespace
}  // namespace kestrow::win32
