#include "follow_window/open_page.h"

#include "follow_window/texts.h"
#include "platform/web_pages.h"

#include <string>

namespace kestrow {

void openPage(Services& services, std::string_view address)
{
    const CommandStart result = pages::open(services.commands, address);
    if (result.started) return;
    std::string message(follow_texts::kOpenFailed);
    message += address;
    message += "\r\n";
    message += result.reason;
    services.messages.show(message, MessageButtons::Ok);
}

}  // namespace kestrow
