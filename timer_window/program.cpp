#include "timer_window/program.h"

#include <memory>

namespace kestrow {

Program::Program(Services& services)
    : live_(services.desktop),
      follow_(services.desktop, [&services, this] { return std::make_unique<FollowWindow>(services, live_); }),
      about_(services.desktop,
             [&services, this] { return std::make_unique<AboutWindow>(services, live_, follow_); }),
      timer_(services, live_, [this] { about_.show(); })
{
}

void Program::start() { timer_.show(); }

}  // namespace kestrow
