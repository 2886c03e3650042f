// The portable controls as real child windows: labels and pictures are
// STATIC controls with SS_NOTIFY, buttons BUTTON, lists COMBOBOX with
// CBS_DROPDOWN, fields EDIT. Timers and menus belong to the window too.
//
// A control keeps nothing of its own that its native control knows: text,
// enabled and visible are read from the native control and written to it.
// Once that is gone (its window destroyed), a control reads as empty,
// disabled and hidden, and changes go nowhere: what reaches a window after
// it closed (a late answer from Windows to a command) reads nothing then.
#pragma once

#include "platform/controls.h"
#include "platform/win32/colours.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/handles.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace kestrow::win32 {

// What a control needs from the window it lives on.
class ControlHost {
public:
    virtual HWND hwnd() const = 0;
    virtual int dpi() const = 0;
    virtual HFONT font(const FontStyle& font) = 0;
    // What a control paints with: its own colour, or the system's for the
    // role while high contrast is on; and a brush of that colour.
    virtual COLORREF colour(Colour colour, ColourRole role) const = 0;
    virtual HBRUSH brush(COLORREF colour) = 0;
    virtual void addTooltip(HWND control, const std::string& text) = 0;
    // COM, for decoding pictures.
    virtual ComApartment& com() = 0;

protected:
    ~ControlHost() = default;
};

// Gives a control of a dialog the focus the way the dialog manager does.
void focusControl(HWND control);
// Puts the default frame on what Enter presses now (see the .cpp).
void showWhatEnterPresses(HWND dialog);

// What every kind of control does, written once.
class ChildControl {
public:
    // Makes the native control, of this class and style, on the host.
    ChildControl(ControlHost& host, const ControlDefinition& def, int id, const wchar_t* windowClass,
                 std::string_view text, DWORD style, DWORD exStyle = 0);
    virtual ~ChildControl() = default;
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    HWND hwnd() const { return window_.get(); }
    const std::string& name() const { return name_; }

    // Places the control and sets its font at the host's current DPI.
    void layout();
    // A notification of this control, which comes to its window as
    // WM_COMMAND. A click runs the control's click handler.
    virtual void onNotification(WORD code);
    // WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT: the brush to paint with, or
    // nullptr for the system's default colours.
    virtual HBRUSH colours(HDC, bool /*asStatic*/) { return nullptr; }
    bool handCursor() const { return handCursor_; }
    // Its window calls this on WM_DESTROY, while the children still exist,
    // whoever destroys the window.
    virtual void destroyNative() { window_.reset(); }

    std::string windowText() const;
    void setWindowText(std::string_view text);
    bool isEnabled() const;
    void changeEnabled(bool enabled);
    bool isVisible() const;
    void changeVisible(bool visible);
    // The control or a part of it (a combo box's edit) has the focus.
    bool hasFocus() const;

protected:
    // What a control needs beyond its box of this height (a dropped list).
    virtual int droppedHeight(int /*height*/) const { return 0; }
    // Clicks run onClick; the pointer over the control is a hand if asked.
    void takeClicks(Callback onClick, bool handCursor, const std::string& tooltip);

    ControlHost& host_;
    OwnedWindow window_;

private:
    void passFocusOn();
    // Its rectangle on the host at the host's current DPI, a dropped list included.
    RECT placement() const;

    Bounds bounds_;
    FontStyle font_;
    std::string name_;
    Callback onClick_;
    bool handCursor_ = false;
};

// The Control part of every kind's interface, answered by the base.
template <class Interface>
class ChildWindow : public Interface, public ChildControl {
public:
    using ChildControl::ChildControl;
    bool enabled() const override { return isEnabled(); }
    void setEnabled(bool enabled) override { changeEnabled(enabled); }
    bool visible() const override { return isVisible(); }
    void setVisible(bool visible) override { changeVisible(visible); }
};

class Win32Label final : public ChildWindow<Label> {
public:
    Win32Label(ControlHost& host, int id, const LabelDefinition& def);
    std::string caption() const override { return windowText(); }
    void setCaption(std::string_view caption) override;
    HBRUSH colours(HDC dc, bool asStatic) override;

private:
    Colour foreColour_;
};

class Win32Button final : public ChildWindow<Button> {
public:
    Win32Button(ControlHost& host, int id, const ButtonDefinition& def);
    std::string caption() const override { return windowText(); }
    void setCaption(std::string_view caption) override { setWindowText(caption); }
    void makeDefault() override;
};

class Win32ComboBox final : public ChildWindow<ComboBox> {
public:
    Win32ComboBox(ControlHost& host, int id, const ComboDefinition& def);
    std::string text() const override { return windowText(); }
    void setText(std::string_view text) override;
    void onNotification(WORD code) override;

private:
    int droppedHeight(int height) const override;
};

class Win32TextField final : public ChildWindow<TextField> {
public:
    Win32TextField(ControlHost& host, int id, const TextFieldDefinition& def);
    std::string text() const override { return windowText(); }
    void setText(std::string_view text) override;
    void setFocus() override { focusControl(hwnd()); }
    void onNotification(WORD code) override;
    HBRUSH colours(HDC dc, bool asStatic) override;

private:
    Colour backColour_;
    Callback onChange_;
};

class Win32PictureBox final : public ChildWindow<PictureBox> {
public:
    Win32PictureBox(ControlHost& host, int id, const PictureDefinition& def);
    void destroyNative() override;

private:
    OwnedBitmap bitmap_;
};

class Win32Timer final : public Timer {
public:
    // Ticks come to `window` as WM_TIMER with this id.
    Win32Timer(HWND window, UINT_PTR id, TimerDefinition def);
    bool enabled() const override { return running_.running(); }
    void setEnabled(bool enabled) override;
    void setInterval(int ms) override;
    std::string failure() const override { return failure_; }
    UINT_PTR id() const { return id_; }
    void tick();
    // The window is going: the timer stops for good.
    void destroyNative();

private:
    void start();

    HWND window_;
    UINT_PTR id_;
    TimerDefinition def_;
    std::string failure_;
    TimerRegistration running_;
};

class Win32Menu final : public Menu {
public:
    explicit Win32Menu(MenuDefinition def);
    // Shows the menu at a point on the screen until it closes, then runs
    // the chosen item's handler.
    void popUp(HWND owner, POINT at);
    void destroyNative() { menu_.reset(); }

private:
    MenuDefinition def_;
    OwnedMenu menu_;
};

}  // namespace kestrow::win32
