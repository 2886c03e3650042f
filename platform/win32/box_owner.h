// While a message box is open, every window of ours knows the box's owner,
// so that a click on any of them, or on its taskbar button, brings the box
// up: the system does that for the owner only.
#pragma once

#include <windows.h>

namespace kestrow::win32 {

// Tells the window the owner of the open box; nullptr ends it.
void noteBoxOwner(HWND window, HWND owner);
// The owner of the box that holds the window, or nullptr.
HWND boxOwner(HWND window);
// The open message box to the front, if one holds the window.
void bringUpBox(HWND window);

}  // namespace kestrow::win32
