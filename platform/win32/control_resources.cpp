#include "platform/win32/control_resources.h"

#include "platform/win32/dpi.h"
#include "platform/win32/resources.h"
#include "platform/win32/text.h"

#include <commctrl.h>

#include <cmath>

namespace kestrow::win32 {

HFONT ControlResources::font(const FontStyle& def, int dpi)
{
    const std::pair<long, bool> key{std::lround(def.points * 100), def.underline};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second.get();
    LOGFONTW lf{};
    lf.lfHeight = -fontPixelHeight(def.points, dpi);  // negative: the character height
    lf.lfWeight = kFontWeight;
    lf.lfUnderline = def.underline ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(kFontCharset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = widen(kFontFace);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return fonts_.emplace(key, OwnedFont(CreateFontIndirectW(&lf))).first->second.get();
}

HBRUSH ControlResources::brush(COLORREF colour)
{
    OwnedBrush& brush = brushes_[colour];
    if (!brush) brush.reset(CreateSolidBrush(colour));
    return brush.get();
}

HCURSOR ControlResources::handCursor()
{
    if (!hand_) hand_ = loadHandCursor();
    return hand_.get();
}

void ControlResources::addTooltip(HWND window, HWND control, const std::string& text)
{
    if (!tooltip_) {
        tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
        if (!tooltip_) return;
    }
    std::wstring wide = widen(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlResources::release()
{
    tooltip_.forget();
    fonts_.clear();
    brushes_.clear();
    hand_.reset();
}

}  // namespace kestrow::win32
