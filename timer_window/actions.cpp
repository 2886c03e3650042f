#include "timer_window/actions.h"

#include <string>

namespace kestrow {

const Action* findAction(std::string_view text)
{
    for (const Action& action : kActions) {
        if (action.name == text) return &action;
    }
    return nullptr;
}

CommandLine delayedCommandLine(const Action& action, std::int64_t seconds)
{
    return shutdownCommandLine({std::string(action.shutdownSwitch), "-t", std::to_string(seconds)});
}

CommandLine immediateCommandLine(const Action& action)
{
    if (action.delayable()) return delayedCommandLine(action, 0);
    return shutdownCommandLine({std::string(action.shutdownSwitch)});
}

}  // namespace kestrow
