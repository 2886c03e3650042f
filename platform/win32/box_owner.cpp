#include "platform/win32/box_owner.h"

namespace kestrow::win32 {

namespace {

constexpr wchar_t kBoxOwner[] = L"KestrowBoxOwner";

}  // namespace

void noteBoxOwner(HWND window, HWND owner)
{
    if (owner) {
        SetPropW(window, kBoxOwner, owner);
    } else {
        RemovePropW(window, kBoxOwner);
    }
}

HWND boxOwner(HWND window) { return static_cast<HWND>(GetPropW(window, kBoxOwner)); }

void bringUpBox(HWND window)
{
    HWND owner = boxOwner(window);
    if (!owner || !IsWindow(owner)) return;
    HWND box = GetLastActivePopup(owner);
    if (box && box != owner) SetForegroundWindow(box);
}

}  // namespace kestrow::win32
