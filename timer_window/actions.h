// The four actions of the action list: the switch each hands to shutdown.exe,
// whether Windows can hold it with a delay, and the commands built from them.
// Every comparison with an action's name is exact, character by character.
#pragma once

#include "platform/command_line.h"
#include "timer_window/texts.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kestrow {

struct Action {
    std::string_view name;  // the list item
    std::string_view shutdownSwitch;
    // Empty for shut down and restart, which Windows holds with a delay.
    // Hibernate and log off cannot wait in Windows: they run only on the
    // window's own countdown, and time-point mode refuses them with this.
    std::string_view countdownOnly;

    bool delayable() const { return countdownOnly.empty(); }
};

inline constexpr std::array<Action, 4> kActions = {{
    {timer_texts::kShutDown, "-s", {}},
    {timer_texts::kRestart, "-r", {}},
    {timer_texts::kHibernate, "-h", timer_texts::kHibernateCountdownOnly},
    {timer_texts::kLogOff, "-l", timer_texts::kLogOffCountdownOnly},
}};

// The action whose name the text is, or nullptr.
const Action* findAction(std::string_view text);

// "shutdown -s -t N": Windows carries it out after N seconds. Only for a
// delayable action.
CommandLine delayedCommandLine(const Action& action, std::int64_t seconds);

// What the own countdown runs at zero: "shutdown -s -t 0", "shutdown -h", ...
CommandLine immediateCommandLine(const Action& action);

}  // namespace kestrow
