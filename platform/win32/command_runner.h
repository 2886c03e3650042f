// Starts the two programs the windows use, shutdown.exe and explorer.exe,
// from the system's own folders and without waiting for them.
#pragma once

#include "platform/services.h"

#include <string>

namespace kestrow::win32 {

class Win32CommandRunner final : public CommandRunner {
public:
    // The real system folder and Windows folder.
    Win32CommandRunner();
    // Other folders in their place, for tests that must never reach the
    // real shutdown.exe.
    Win32CommandRunner(std::wstring systemFolder, std::wstring windowsFolder);

    // Runs a command line whose first word is "shutdown" or "explorer.exe",
    // minimized with focus, and returns at once. Any other program is
    // refused.
    CommandResult run(std::string_view commandLine) override;

private:
    std::wstring systemFolder_;
    std::wstring windowsFolder_;
};

}  // namespace kestrow::win32
