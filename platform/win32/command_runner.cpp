#include "platform/win32/command_runner.h"

#include "platform/win32/text.h"

#include <algorithm>

namespace kestrow::win32 {

namespace {

std::wstring folder(UINT(WINAPI* query)(LPWSTR, UINT))
{
    wchar_t buffer[MAX_PATH];
    const UINT n = query(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::wstring(buffer, n);
}

std::wstring join(const std::wstring& folder, const wchar_t* file)
{
    if (folder.empty()) return {};
    std::wstring path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + file;
}

}  // namespace

// One started program whose end is awaited. The thread pool fills in the
// end and posts the record to the desktop's message window; only the
// user-interface thread frees it.
struct Win32CommandRunner::Waiting {
    HANDLE process = nullptr;
    HANDLE wait = nullptr;
    HWND notify = nullptr;
    UINT_PTR key = 0;
    HWND activeBefore = nullptr;
    CommandEnded onEnded;
    bool timedOut = false;
    DWORD exitCode = 0;

    ~Waiting()
    {
        // Waits for a callback that is still running, so none outlives us.
        if (wait) UnregisterWaitEx(wait, INVALID_HANDLE_VALUE);
        if (process) CloseHandle(process);
    }
};

Win32CommandRunner::Win32CommandRunner(Win32Desktop& desktop)
    : Win32CommandRunner(desktop, folder(&GetSystemDirectoryW), folder(&GetSystemWindowsDirectoryW))
{
}

// GetSystemWindowsDirectory, not GetWindowsDirectory: on a terminal server
// the latter names a private folder of the user's.
Win32CommandRunner::Win32CommandRunner(Win32Desktop& desktop, std::wstring systemFolder, std::wstring windowsFolder,
                                       int patienceMs)
    : desktop_(desktop),
      systemFolder_(std::move(systemFolder)),
      windowsFolder_(std::move(windowsFolder)),
      patienceMs_(patienceMs),
      key_(desktop.listen([this](UINT message, LPARAM waiting) {
          if (message == WM_TIMER) activation_.onTimer();
          else finish(waiting);
      })),
      activation_(desktop.messageWindow(), key_)
{
}

Win32CommandRunner::~Win32CommandRunner()
{
    waiting_.clear();  // every wait unregistered: nothing more is posted
    desktop_.stopListening(key_);
}

CommandStart Win32CommandRunner::run(const CommandLine& command, CommandEnded onEnded)
{
    if (auto refusal = commandLineRefusal(command)) return {false, *refusal};

    // A full path: with no application name CreateProcess would search the
    // exe's and the current folder first, where a planted copy could wait.
    // Right for the 64-bit and the 32-bit build alike. A 32-bit process on
    // 64-bit Windows (or on Windows on ARM) is told System32 as its system
    // folder, and WOW64 redirects what it opens there to SysWOW64, which
    // holds a 32-bit shutdown.exe taking the same command lines; the same
    // redirection makes System32 a sound current folder. The Windows folder
    // is not redirected, so explorer.exe is the one shell everybody has.
    const std::wstring application =
        command.tool == Tool::Shutdown ? join(systemFolder_, L"shutdown.exe") : join(windowsFolder_, L"explorer.exe");
    if (application.empty()) return {false, systemMessage(ERROR_PATH_NOT_FOUND)};

    std::wstring writable = widen(command.text());  // CreateProcessW may write to it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    // The system folder as the program's current folder: ours may be a
    // download folder, and nothing started should look for files there.
    const wchar_t* current = systemFolder_.empty() ? nullptr : systemFolder_.c_str();
    HWND activeBefore = GetForegroundWindow();
    if (!CreateProcessW(application.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, current, &startup,
                        &process)) {
        return {false, systemMessage(GetLastError())};
    }
    CloseHandle(process.hThread);

    // Every end is awaited, told or not: the activation may need giving back.
    auto waiting = std::make_unique<Waiting>();
    waiting->process = process.hProcess;
    waiting->notify = desktop_.messageWindow();
    waiting->key = key_;
    waiting->activeBefore = activeBefore;
    waiting->onEnded = std::move(onEnded);
    // The wait runs on the thread pool: the user-interface thread never
    // blocks on the program.
    if (!RegisterWaitForSingleObject(&waiting->wait, waiting->process, &Win32CommandRunner::ended, waiting.get(),
                                     static_cast<ULONG>(patienceMs_), WT_EXECUTEONLYONCE)) {
        // The program runs; only its end will not be known.
        waiting->wait = nullptr;
        return {true, {}};
    }
    waiting_.push_back(std::move(waiting));
    return {true, {}};
}

// On a thread-pool thread: note how the wait ended and hand over.
void CALLBACK Win32CommandRunner::ended(void* context, BOOLEAN timedOut)
{
    auto* waiting = static_cast<Waiting*>(context);
    waiting->timedOut = timedOut != FALSE;
    if (!waiting->timedOut && !GetExitCodeProcess(waiting->process, &waiting->exitCode)) waiting->timedOut = true;
    PostMessageW(waiting->notify, Win32Desktop::kForListener, waiting->key, reinterpret_cast<LPARAM>(waiting));
}

// The record is only compared until it is found: one whose runner has gone
// never comes here.
void Win32CommandRunner::finish(LPARAM waiting)
{
    const auto found = std::find_if(waiting_.begin(), waiting_.end(), [waiting](const auto& owned) {
        return reinterpret_cast<LPARAM>(owned.get()) == waiting;
    });
    if (found == waiting_.end()) return;
    std::unique_ptr<Waiting> done = std::move(*found);
    waiting_.erase(found);
    // A program that outlived the patience is left alone: nothing is told.
    if (done->timedOut) return;
    activation_.programEnded(done->activeBefore);
    if (!done->onEnded) return;
    CommandOutcome outcome{done->exitCode, done->exitCode ? systemMessage(done->exitCode) : std::string()};
    desktop_.post([onEnded = std::move(done->onEnded), outcome] { onEnded(outcome); });
}

}  // namespace kestrow::win32
