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

Command delayedCommand(const Action& action, std::int64_t seconds)
{
    return shutdownCommand({std::string(action.shutdownSwitch), "-t", std::to_string(seconds)});
}

Command immediateCommand(const Action& action)
{
    if (action.delayable()) return delayedCommand(action, 0);
    return shutdownCommand({std::string(action.shutdownSwitch)});
}

}  // namespace kestrow
