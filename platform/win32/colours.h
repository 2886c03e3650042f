// The portable colour values (&H00BBGGRR, or &H800000nn for system colour
// nn) as Win32 COLORREFs.
#pragma once

#include "platform/controls.h"

#include <windows.h>

namespace kestrow::win32 {

inline COLORREF toColorRef(Colour colour)
{
    if (isSystemColour(colour)) return GetSysColor(static_cast<int>(colour & 0xFFu));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

}  // namespace kestrow::win32
