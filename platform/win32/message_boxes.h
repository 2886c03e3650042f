// Message boxes on Win32, modal for the whole program, and the taskbar
// flash with which a box raised in the background asks for the user.
#pragma once

#include "platform/services.h"

#include <windows.h>

#include <functional>

namespace kestrow::win32 {

// FlashWindowEx on the window's taskbar button: on until the window comes
// to the front, or off.
void flashTaskbarButton(HWND window, bool on);

class Win32MessageBoxes final : public MessageBoxes {
public:
    MessageResult show(const NativeWindow& owner, std::string_view prompt, MessageButtons buttons,
                       std::optional<std::string_view> title) override;

    // How a box raised while the user is in another program asks for them;
    // tests watch it here, since Wine never refuses the foreground.
    std::function<void(HWND owner, bool on)> askForAttention = flashTaskbarButton;
};

}  // namespace kestrow::win32
