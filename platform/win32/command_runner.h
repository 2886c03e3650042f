// Starts the two programs the windows use, shutdown.exe and explorer.exe,
// from the system's own folders, without waiting for them, and tells how
// they ended once they have. Each end goes to the activation keeper too.
#pragma once

#include "platform/services.h"
#include "platform/win32/activation_keeper.h"
#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrow::win32 {

class Win32CommandRunner final : public CommandRunner {
public:
    // The real system folder and Windows folder. Outcomes are handed to the
    // desktop's posted callbacks, so they run once no handler is running.
    explicit Win32CommandRunner(Win32Desktop& desktop);
    // Other folders in their place, for tests that must never reach the
    // real shutdown.exe, and a patience of their choosing.
    Win32CommandRunner(Win32Desktop& desktop, std::wstring systemFolder, std::wstring windowsFolder,
                       int patienceMs = kCommandPatienceMs);
    ~Win32CommandRunner() override;
    Win32CommandRunner(const Win32CommandRunner&) = delete;
    Win32CommandRunner& operator=(const Win32CommandRunner&) = delete;

    CommandStart run(const CommandLine& command, CommandEnded onEnded) override;

    // Whether every program started has ended and its end been handled,
    // the activation its console window took given back included.
    bool idle() const { return waiting_.empty() && !activation_.watching(); }

private:
    struct Waiting;

    static void CALLBACK ended(void* context, BOOLEAN timedOut);
    void finish(LPARAM waiting);

    Win32Desktop& desktop_;
    std::wstring systemFolder_;
    std::wstring windowsFolder_;
    int patienceMs_;
    // What the thread pool's wait callbacks and the keeper's timer send to
    // the desktop's message window comes here under this key.
    UINT_PTR key_;
    Win32ActivationKeeper activation_;
    std::vector<std::unique_ptr<Waiting>> waiting_;
};

}  // namespace kestrow::win32
