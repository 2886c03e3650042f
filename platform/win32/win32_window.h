// A top-level window: NativeWindow on a real Win32 window, host of its
// controls, timers and menus. The C++ object stays valid after destroy();
// the portable side drops it later.
//
// Each window is a modeless dialog of a private dialog class: the system's
// dialog manager (DefDlgProc with IsDialogMessage in the message loop) moves
// the focus with Tab, presses buttons with Enter, keeps the default button
// and gives the focus back when the window is activated again.
#pragma once

#include "platform/window.h"
#include "platform/win32/control_resources.h"
#include "platform/win32/handler_depth.h"
#include "platform/win32/handles.h"
#include "platform/win32/newer_functions.h"
#include "platform/win32/taskbar_button.h"
#include "platform/win32/win32_controls.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kestrow::win32 {

// What the windows of one desktop share.
struct WindowContext {
    HandlerDepth& handlers;                     // counts every window's running handlers
    HWND home;                                  // the program's first window; nullptr for that one itself
    const std::function<bool()>& highContrast;  // the desktop's, which outlives its windows
    const TaskbarListFactory& makeTaskbarList;  // likewise
    ComApartment& com;                          // likewise
    FunctionLookup lookup;                      // finds the functions of newer Windows
};

class Win32Window final : public NativeWindow, private ControlHost {
public:
    // Opens on home's monitor (the first window where the system puts new
    // windows), so that it has that monitor's DPI from the start.
    Win32Window(WindowDefinition def, WindowContext context);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    Label& addLabel(LabelDefinition def) override;
    Button& addButton(ButtonDefinition def) override;
    ComboBox& addComboBox(ComboDefinition def) override;
    TextField& addTextField(TextFieldDefinition def) override;
    PictureBox& addPicture(PictureDefinition def) override;
    Timer& addTimer(TimerDefinition def) override;
    Menu& addPopupMenu(MenuDefinition def) override;

    void show() override;
    void destroy() override;

    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void setLeft(double twips) override;
    void setTop(double twips) override;
    void setHeight(double twips) override;
    void popupMenu(Menu& menu) override;
    void showProgress(const CountdownProgress& progress) override;

    // The native window; nullptr once it is destroyed.
    HWND hwnd() const override { return hwnd_; }
    int currentDpi() const { return dpi_; }
    // The native control of the control with this name, or nullptr.
    HWND controlHandle(const std::string& name) const;

    // Whether a top-level window is one of ours (the message loop lets
    // IsDialogMessage handle Tab and Enter for those; message boxes disable
    // them).
    static bool isOurs(HWND window);

private:
    // ControlHost
    ControlHost& host() { return *this; }
    int dpi() const override { return dpi_; }
    HFONT font(const FontStyle& font) override;
    COLORREF colour(Colour colour, ColourRole role) const override;
    HBRUSH brush(COLORREF colour) override;
    void addTooltip(HWND control, const std::string& text) override;
    ComApartment& com() override { return context_.com; }

    // What Windows calls: finds the Win32Window of the HWND and hands it the
    // message. No exception gets past it.
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // One line per message; what the handlers leave goes to the dialog
    // manager (byDefault).
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT byDefault(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT onEraseBackground(HDC dc);
    LRESULT onControlColour(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onTimer(WPARAM id);
    LRESULT onSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT onMouseDown(int buttons, LPARAM lParam);
    LRESULT onMouseUp(LPARAM lParam);
    LRESULT onContextMenu(LPARAM lParam);
    LRESULT onSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onClose();
    LRESULT onDpiChanged(int dpi, const RECT& suggested);
    LRESULT onActivate(WPARAM wParam, LPARAM lParam);
    LRESULT onSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT onSettingChange(WPARAM wParam, LPARAM lParam);
    LRESULT onDestroy();
    LRESULT onNcDestroy();

    void requestClose(CloseCause cause);
    bool onBackground(LPARAM lParam) const;
    void loadIcons();

    template <class T>
    T& adopt(std::unique_ptr<T> control);
    ChildControl* findControl(HWND window) const;
    // Sizes the frame so that the client area is clientSize_.
    void fitClientArea();
    RECT outerRect() const;
    void moveTo(int x, int y);

    WindowDefinition def_;
    WindowContext context_;
    DWORD style_ = 0;
    int dpi_ = 96;
    int nextId_ = 100;  // above IDOK and IDCANCEL, which IsDialogMessage sends
    bool highContrast_ = false;
    // The client area the window keeps when the frame changes (a larger
    // title bar): the design size, or the height last set.
    SIZE clientSize_{};

    // Declared before the windows that use them, so they are freed after.
    ControlResources resources_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;

    HWND hwnd_ = nullptr;  // counted from WM_NCCREATE to WM_NCDESTROY
    std::unique_ptr<TaskbarButton> taskbar_;
    std::vector<std::unique_ptr<ChildControl>> controls_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    std::vector<std::unique_ptr<Win32Menu>> menus_;
    bool userClosing_ = false;
    bool menuAtWindow_ = false;  // the menu key, not the mouse, asks for the menu
    bool pressedOnBackground_ = false;
    bool shownOnce_ = false;
};

}  // namespace kestrow::win32
