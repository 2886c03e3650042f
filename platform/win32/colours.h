// The portable colour values (&H00BBGGRR, or &H800000nn for system colour
// nn) as Win32 COLORREFs, and the system's colours in their place while the
// user has high contrast on.
#pragma once

#include "platform/controls.h"

#include <windows.h>

namespace kestrow::win32 {

inline COLORREF toColorRef(Colour colour)
{
    if (isSystemColour(colour)) return GetSysColor(static_cast<int>(colour & 0xFFu));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

// What a colour paints. With high contrast on, the windows' own colours
// give way to the system's for that role, the pairs the user chose to read.
enum class ColourRole {
    Background,  // windows and fields
    Text,
    Link,
};

inline COLORREF paint(Colour colour, ColourRole role, bool highContrast)
{
    if (!highContrast) return toColorRef(colour);
    switch (role) {
    case ColourRole::Background: return GetSysColor(COLOR_WINDOW);
    case ColourRole::Text: return GetSysColor(COLOR_WINDOWTEXT);
    case ColourRole::Link: return GetSysColor(COLOR_HOTLIGHT);
    }
    return toColorRef(colour);
}

// SPI_GETHIGHCONTRAST: whether the user has high contrast on.
inline bool systemHighContrast()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace kestrow::win32
