// The start-up floor: the timer window's standard controls (same classes,
// styles, places, texts and fonts, same manifest) in a bare window with no
// handlers. What it takes to appear is what any program showing these
// controls pays under this Wine; Kestrow's start-up is measured against it.
//
//   floor.exe [TITLE]        (one word; default "KestrowBenchFloor")
//
// The places and font sizes are those timer_window.cpp gives its controls;
// the conversions to pixels are the adapter's own (platform/win32/dpi.h).
#include "platform/controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/text.h"
#include "timer_window/texts.h"

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string_view>
#include <vector>

namespace {

using namespace kestrow;
namespace t = timer_texts;

enum class Kind { Button, DefaultButton, Label, Field, Combo };

struct FloorControl {
    Kind kind;
    std::string_view text;
    Bounds bounds;
    double points;
    bool visible = true;
    bool enabled = true;
    std::vector<std::string_view> items = {};
};

constexpr double kSmall = 10.5, kMedium = 15, kLarge = 21.75;

const std::vector<FloorControl>& timerWindowControls()
{
    static const std::vector<FloorControl> controls{
        {Kind::Button, t::kToTimePoint, {840, 120, 855, 375}, kSmall},
        {Kind::Button, t::kToCountdown, {1680, 120, 855, 375}, kSmall, true, false},
        {Kind::Label, t::kCountdownMode, {480, 945, 615, 495}, kMedium},
        {Kind::Combo,
         t::kShutDown,
         {1080, 885, 1215, 525},
         kMedium,
         true,
         true,
         {t::kShutDown, t::kRestart, t::kHibernate, t::kLogOff}},
        {Kind::Label, t::kRemain, {2280, 945, 735, 495}, kMedium},
        {Kind::Field, "0", {840, 1920, 855, 615}, kLarge},
        {Kind::Label, t::kDays, {1800, 1920, 870, 570}, kLarge},
        {Kind::Field, "0", {840, 3120, 855, 615}, kLarge},
        {Kind::Label, t::kHours, {1800, 3120, 870, 570}, kLarge},
        {Kind::Field, "1", {840, 4320, 855, 615}, kLarge},
        {Kind::Label, t::kMinutes, {1800, 4320, 870, 570}, kLarge},
        {Kind::Field, "0", {840, 5520, 855, 615}, kLarge},
        {Kind::Label, t::kSeconds, {1800, 5520, 870, 570}, kLarge},
        {Kind::DefaultButton, t::kStart, {1080, 6600, 1215, 465}, kMedium},
        {Kind::Button, t::kStop, {1080, 6600, 1215, 465}, kMedium, false, false},
        {Kind::Button, t::kSchedule, {1080, 6600, 1215, 465}, kMedium, false},
        {Kind::Button, t::kSettings, {0, 7560, 615, 375}, kSmall},
        {Kind::Combo,
         t::kBackgroundMode,
         {720, 7540, 2055, 420},
         kSmall,
         false,
         true,
         {t::kBackgroundMode, t::kForegroundMode}},
        {Kind::Button, t::kUnlock, {2880, 7560, 615, 375}, kSmall, false},
    };
    return controls;
}

// One font per size, as the adapter keeps them; they live as long as the process.
HFONT fontOf(double points, int dpi)
{
    static std::map<double, HFONT> fonts;
    auto& font = fonts[points];
    if (!font) {
        font = CreateFontW(-fontPixelHeight(points, dpi), 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, kFontCharset,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           win32::widen(kFontFace).c_str());
    }
    return font;
}

void addControl(HWND window, const FloorControl& c, int dpi)
{
    static const wchar_t* const kClass[] = {L"BUTTON", L"BUTTON", L"STATIC", L"EDIT", L"COMBOBOX"};
    static const DWORD kStyle[] = {BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS,
                                   BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS, SS_CENTER | SS_NOTIFY,
                                   ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS,
                                   CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS};
    const auto kind = static_cast<int>(c.kind);
    DWORD style = kStyle[kind] | WS_CHILD | WS_GROUP;
    if (c.visible) style |= WS_VISIBLE;
    if (!c.enabled) style |= WS_DISABLED;
    const PixelRect r = boundsToPixels(c.bounds, dpi);
    const bool combo = c.kind == Kind::Combo;
    HWND control = CreateWindowExW(c.kind == Kind::Field ? WS_EX_CLIENTEDGE : 0, kClass[kind],
                                   combo ? L"" : win32::widen(c.text).c_str(), style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, window, nullptr, nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c.points, dpi)), FALSE);
    for (std::string_view item : c.items) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::widen(item).c_str()));
    }
    if (combo) SetWindowTextW(control, win32::widen(c.text).c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    win32::declareDpiAwareness();
    // The common controls' own classes (version 6, by the manifest), as Kestrow registers them.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const wchar_t* title = *arguments ? arguments : L"KestrowBenchFloor";

    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(RGB(0xFF, 0xC0, 0xC0));  // the timer window's pink
    wc.lpszClassName = L"KestrowBenchFloor";
    RegisterClassW(&wc);

    // The timer window's frame and client size; created hidden and shown once
    // its controls are in, as Kestrow does.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    const int dpi = win32::systemDpi();
    const SIZE outer = win32::outerSizeForClient(twipsToPixels(3450, dpi), twipsToPixels(7920, dpi), style, 0, dpi);
    HWND window = CreateWindowExW(0, wc.lpszClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
                                  nullptr, nullptr, instance, nullptr);
    for (const FloorControl& control : timerWindowControls()) addControl(window, control, dpi);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
