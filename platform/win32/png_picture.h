// PNG pictures turned into bitmaps a STATIC control shows, decoded by the
// Windows Imaging Component that every supported Windows carries.
#pragma once

#include "platform/win32/handles.h"

#include <span>

namespace kestrow::win32 {

// A 24-bit DIB section with the picture's pixels, or empty if the bytes are
// no PNG or the system cannot decode them.
OwnedBitmap decodePng(std::span<const BYTE> png);

}  // namespace kestrow::win32
