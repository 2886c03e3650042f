#include "app/program.h"

#include <memory>

namespace kestrow {

Program::Program(Services& services)
    : live_(services.desktop),
      follow_(services.desktop, [&services, this] { return std::make_unique<FollowWindow>(services, live_); }),
      about_(services.desktop,
             [&services, this] {
                 return std::make_unique<AboutWindow>(
                     services, live_, [this] { follow_.show(); },
                     // A follow window that is not loaded is loaded unseen
                     // for this; its close animation then unloads it again.
                     [this] { follow_.refer().startClosing(); });
             }),
      timer_(services, live_, [this] { about_.show(); })
{
}

void Program::start() { timer_.show(); }

}  // namespace kestrow
