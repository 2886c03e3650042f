#include "platform/activation_keeper.h"

namespace kestrow {

void ActivationKeeper::programEnded(WindowId activeBefore)
{
    if (!activeBefore) return;  // nothing had it to give back to
    if (!system_.active()) {
        giveBack(activeBefore);
        return;
    }
    watches_.push_back({activeBefore, system_.nowMs() + kLookOnMs});
}

// Every watch ends with the first give-back: the latest program's window is
// the one the user was in last.
void ActivationKeeper::look()
{
    if (!system_.active() && !watches_.empty()) {
        giveBack(watches_.back().activeBefore);
        watches_.clear();
    }
    const std::int64_t now = system_.nowMs();
    std::erase_if(watches_, [now](const Watch& watch) { return now >= watch.untilMs; });
}

// A window that has gone or hides cannot take the activation; nothing else
// is given it instead.
void ActivationKeeper::giveBack(WindowId window)
{
    if (system_.canActivate(window)) system_.activate(window);
}

}  // namespace kestrow
