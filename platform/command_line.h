// The command lines the program hands to Windows, typed: which program and
// which arguments. One rule says which commands may be run at all; the real
// runner and the test runner both apply it, so a command the tests accept is
// one Windows will be given.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrow {

enum class Tool {
    Shutdown,  // the system's shutdown.exe
    Explorer,  // the system file browser, which hands a web address to the browser
};

struct CommandLine {
    Tool tool = Tool::Shutdown;
    std::vector<std::string> arguments;

    // As the user would type it: "shutdown -s -t 60", "explorer.exe https://...".
    std::string text() const;
    bool operator==(const CommandLine&) const = default;
};

// The longest delay shutdown.exe accepts: ten years in seconds.
inline constexpr std::int64_t kMaxShutdownDelay = 315360000;

CommandLine shutdownCommandLine(std::vector<std::string> arguments);
CommandLine openPageCommandLine(std::string_view address);

// Why the command may not be run, or nullopt if it may. shutdown takes
// "-s -t N", "-r -t N" (N a whole number of seconds from 0 to ten years, no
// leading zeros), "-h", "-l" or "-a"; explorer.exe takes one https address
// without blanks, quotes or control characters.
std::optional<std::string> commandLineRefusal(const CommandLine& command);

// How a program that was started ended, told on the user-interface thread.
struct CommandOutcome {
    std::uint32_t exitCode = 0;
    std::string message;  // the system's words for the exit code
};
using CommandEnded = std::function<void(const CommandOutcome&)>;

// Exit codes of shutdown.exe that the windows tell apart.
namespace shutdown_exit {
constexpr std::uint32_t kNoShutdownInProgress = 1116;  // "-a" with nothing to abort
constexpr std::uint32_t kShutdownScheduled = 1190;     // another shutdown is already pending
}  // namespace shutdown_exit

}  // namespace kestrow
