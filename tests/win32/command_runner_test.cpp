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

using drive::CommandLog;
using drive::RecordedCommand;
using testing::PlantedRecorder;
using testing::pumpFor;
using testing::pumpUntil;

class CommandRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const PlantedRecorder* folder : {&system, &windows, &current}) ASSERT_TRUE(folder->planted());
        wchar_t folder[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, folder);
        previous = folder;
        SetCurrentDirectoryW(current.folder().c_str());
        // Each copy logs beside itself, and lives on a while after it starts.
        SetEnvironmentVariableW(L"KESTROW_RECORDER_LOG", nullptr);
        SetEnvironmentVariableW(L"KESTROW_RECORDER_STAY_MS", L"1500");
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(previous.c_str());
        SetEnvironmentVariableW(L"KESTROW_RECORDER_STAY_MS", nullptr);
    }

    // What the copy in this folder ran, once it has ended; empty if it never does.
    static RecordedCommand ranIn(const CommandLog& log) { return log.waitFor(1, 30000); }

    Win32Desktop desktop;
    // The "system" folders, and the current folder, whose copies must never run.
    PlantedRecorder system{KESTROW_RECORDER_FROM_TESTS}, windows{KESTROW_RECORDER_FROM_TESTS},
        current{KESTROW_RECORDER_FROM_TESTS};
    const CommandLog systemLog{system.log()}, windowsLog{windows.log()};
    std::wstring previous;
};

TEST_F(CommandRunnerTest, StartsShutdownFromTheSystemFolderWithoutWaitingAndTellsItsEnd)
{
    Win32CommandRunner runner(desktop, system.folder(), windows.folder());
    SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", L"1190");
    std::optional<CommandOutcome> outcome;
    const CommandStart start =
        runner.run(shutdownCommandLine({"-s", "-t", "60"}), [&](const CommandOutcome& ended) { outcome = ended; });
    SetEnvironmentVariableW(L"KESTROW_RECORDER_EXIT", nullptr);
    EXPECT_FALSE(system.ran()) << "run() waited for the program to end";
    ASSERT_TRUE(start.started) << start.reason;

    const RecordedCommand ran = ranIn(systemLog);
    ASSERT_FALSE(ran.line.empty()) << "the program never ran to its end";
    EXPECT_EQ(ran.line, "shutdown -s -t 60") << "the command line is passed exactly";
    EXPECT_EQ(ran.folder, narrow(system.folder().substr(0, system.folder().size() - 1))) << "current folder";
    EXPECT_FALSE(current.ran()) << "a shutdown.exe in the current folder ran";
    ASSERT_TRUE(pumpUntil([&] { return outcome.has_value(); }, 10000)) << "the end was never told";
    EXPECT_EQ(outcome->exitCode, 1190u);
    EXPECT_FALSE(outcome->message.empty()) << "the system's words for the code";
    EXPECT_TRUE(pumpUntil([&] { return runner.idle(); }));
}

TEST_F(CommandRunnerTest, AProgramThatOutlivesThePatienceIsNeverToldAbout)
{
    Win32CommandRunner runner(desktop, system.folder(), windows.folder(), 200);
    bool told = false;
    ASSERT_TRUE(runner.run(shutdownCommandLine({"-a"}), [&](const CommandOutcome&) { told = true; }).started);
    ASSERT_FALSE(ranIn(systemLog).line.empty());
    pumpFor(1000);
    EXPECT_FALSE(told);
    EXPECT_TRUE(runner.idle()) << "the wait was cleaned up";
}

TEST_F(CommandRunnerTest, StartsExplorerFromTheWindowsFolder)
{
    Win32CommandRunner runner(desktop, system.folder(), windows.folder());
    ASSERT_TRUE(runner.run(openPageCommandLine("https://tieba.baidu.com/f?kw=vornic"), {}).started);
    EXPECT_EQ(ranIn(windowsLog).line, "explorer.exe https://tieba.baidu.com/f?kw=vornic");
    EXPECT_FALSE(current.ran());
    EXPECT_FALSE(system.ran());
}

// Which commands may run is commandLineRefusal's rule (tested natively);
// here only that the runner applies it.
TEST_F(CommandRunnerTest, RefusesWhatTheRuleRefusesAndReportsAMissingProgram)
{
    const CommandStart refused =
        Win32CommandRunner(desktop, system.folder(), windows.folder()).run(shutdownCommandLine({"/c", "echo"}), {});
    EXPECT_FALSE(refused.started);
    EXPECT_FALSE(refused.reason.empty());

    const std::wstring nowhere = system.folder() + L"empty\\";
    CreateDirectoryW(nowhere.c_str(), nullptr);
    const CommandStart missing = Win32CommandRunner(desktop, nowhere, nowhere).run(shutdownCommandLine({"-a"}), {});
    RemoveDirectoryW(nowhere.c_str());
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.reason.empty()) << "the system's reason is passed on";
    Sleep(500);
    EXPECT_FALSE(current.ran()) << "the runner fell back to the current folder";
}

}  // namespace
}  // namespace kestrow::win32
