#include "platform/web_pages.h"

#include <string>

namespace kestrow::pages {

namespace {

// Followed by the address, a line break and the system's reason.
constexpr std::string_view kOpenFailed = "无法打开网页：";

}  // namespace

void open(Services& services, const NativeWindow& asking, std::string_view address)
{
    const CommandStart result = services.commands.run(openPageCommandLine(address));
    if (result.started) return;
    std::string message(kOpenFailed);
    message += address;
    message += "\r\n";
    message += result.reason;
    services.messages.show(asking, message, MessageButtons::Ok);
}

}  // namespace kestrow::pages
