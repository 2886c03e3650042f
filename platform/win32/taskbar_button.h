// A window's taskbar button showing a countdown's progress
// (ITaskbarList3, Windows 7 and later). Windows without Explorer has no
// taskbar, and Explorer may restart and create the button anew: every call
// that fails is ignored, and the program runs as it would without.
#pragma once

#include "platform/window.h"
#include "platform/win32/com_apartment.h"

#include <windows.h>

#include <shobjidl.h>
#include <wrl/client.h>

#include <functional>

namespace kestrow::win32 {

// Makes the taskbar list, initialised, or nullptr. The caller releases it.
using TaskbarListFactory = std::function<ITaskbarList3*()>;
ITaskbarList3* createTaskbarList(ComApartment& com);

// The message Explorer sends a window when it has (re)created its button.
UINT taskbarButtonCreatedMessage();

class TaskbarButton {
public:
    // The list is made once, when there is first something to show.
    TaskbarButton(HWND window, const TaskbarListFactory& make);
    TaskbarButton(const TaskbarButton&) = delete;
    TaskbarButton& operator=(const TaskbarButton&) = delete;

    void show(const CountdownProgress& progress);
    // The button is new: what it showed is shown again.
    void recreated() { apply(); }

private:
    void apply();

    HWND window_;
    const TaskbarListFactory& make_;
    Microsoft::WRL::ComPtr<ITaskbarList3> list_;
    bool made_ = false;
    CountdownProgress shown_;
};

}  // namespace kestrow::win32
