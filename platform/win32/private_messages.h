// The program's own window messages, numbered in this one block: two
// meanings on one number would have a window act on a message meant for
// another purpose.
#pragma once

#include <windows.h>

namespace kestrow::win32::private_message {

// To the desktop's message window: run the callbacks posted meanwhile.
constexpr UINT kRunPosted = WM_APP + 1;
// To the desktop's message window: for the listener whose key is wParam.
constexpr UINT kForListener = WM_APP + 2;
// Posted to itself by a window that must hand the activation on to a box:
// not while the system is still activating the window.
constexpr UINT kBringUpBox = WM_APP + 3;

}  // namespace kestrow::win32::private_message
