// The icons, cursor and pictures compiled into the exe (resources/kestrow.rc).
#pragma once

#include "platform/controls.h"
#include "platform/window.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"

namespace kestrow::win32 {

// The window icon at a size in pixels (big and small icons differ).
OwnedIcon loadWindowIcon(WindowIcon icon, int size);
OwnedCursor loadHandCursor();
// Empty for Picture::None or a picture missing from the exe.
OwnedBitmap loadPicture(Picture picture, ComApartment& com);

}  // namespace kestrow::win32
