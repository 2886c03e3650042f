// Opening one of the maker's pages from the About and follow windows.
#pragma once

#include "platform/services.h"

#include <string_view>

namespace kestrow {

// Hands the address to the file browser. A browser that cannot be started is
// told in a message box rather than lost; nothing else depends on the outcome.
void openPage(Services& services, std::string_view address);

}  // namespace kestrow
