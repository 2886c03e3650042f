// The operating-system services the windows use, each a small interface so
// tests can put an in-memory stand-in in its place.
#pragma once

#include "platform/command_line.h"
#include "platform/screen_area.h"
#include "platform/window.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kestrow {

struct CommandStart {
    bool started = false;
    std::string reason;  // the system's words when it could not start
};

// Starts a command minimized with focus and returns without waiting for it.
// A command that breaks commandLineRefusal's rule is not started. onEnded, when
// given, is told how the program ended: on the user-interface thread, once
// no handler is running. A program still running after kCommandPatienceMs
// is left alone and never told about.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    virtual CommandStart run(const CommandLine& command, CommandEnded onEnded = {}) = 0;
};

inline constexpr int kCommandPatienceMs = 10000;

enum class MessageButtons { Ok = 0, OkCancel = 1 };
enum class MessageResult { Ok = 1, Cancel = 2 };

// Modal message boxes without an icon. Without a title they bear the
// application title. A box belongs to the window whose handler asks: it
// stands in front of that window, and a user who comes back to the program
// finds it there, even when it was raised while another program was in use.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // While the box is open, ticks come but no window of the program takes
    // input, and nothing posted runs. Should the owner go meanwhile, the box
    // goes with it and answers Cancel, or OK when that is its only button.
    virtual MessageResult show(const NativeWindow& owner, std::string_view prompt, MessageButtons buttons,
                               std::optional<std::string_view> title = std::nullopt) = 0;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay timeOfDay() const = 0;
    // Milliseconds on a clock that never goes back and keeps counting while
    // the machine sleeps; no one can set it, unlike the time of day.
    virtual std::int64_t monotonicMs() const = 0;
};

// The user's decimal separator, for the locale-aware reading of numbers.
class NumberLocale {
public:
    virtual ~NumberLocale() = default;
    virtual std::string decimalSeparator() const = 0;
};

// Creating windows, the screen they live on and the event loop they run in.
class Desktop {
public:
    virtual ~Desktop() = default;
    // The program's first window is its home: the others open on its monitor.
    virtual std::unique_ptr<NativeWindow> createWindow(WindowDefinition def) = 0;
    // The part of the home window's monitor that windows may cover (the
    // screen less the taskbar), in the twips that `placed` counts its own
    // position in, so the two always go together whatever each monitor's
    // scaling.
    virtual ScreenArea workArea(const NativeWindow& placed) const = 0;
    // The longest time between the two clicks of a double-click.
    virtual int doubleClickMs() const = 0;
    // Runs the callback once no handler runs any more: after the current
    // event, and not while a handler waits in a box or menu.
    virtual void post(Callback callback) = 0;
    // Ends the event loop: the last window is gone.
    virtual void quit() = 0;
};

struct Services {
    Desktop& desktop;
    CommandRunner& commands;
    MessageBoxes& messages;
    Clock& clock;
    NumberLocale& locale;
};

inline constexpr std::string_view kApplicationTitle = "Kestrow";

}  // namespace kestrow
