// Message boxes, the clock and the number locale on Win32.
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

class Win32Clock final : public Clock {
public:
    TimeOfDay timeOfDay() const override;
    std::int64_t monotonicMs() const override;
};

class Win32NumberLocale final : public NumberLocale {
public:
    std::string decimalSeparator() const override;
};

}  // namespace kestrow::win32
