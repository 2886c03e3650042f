// The portable controls as real child windows: labels and pictures are
// STATIC controls with SS_NOTIFY, buttons BUTTON, lists COMBOBOX with
// CBS_DROPDOWN, fields EDIT. Timers and menus belong to the window too.
// Each object outlives its native control. The control's native life ends in
// destroyNative(), whoever ends it: the object keeps what the control showed
// and from then on answers from that and ignores changes.
#pragma once

#include "platform/controls.h"
#include "platform/win32/colours.h"
#include "platform/win32/handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrow::win32 {

class Win32Button;

// What a control needs from the window it lives on.
class ControlHost {
public:
    // The window the controls live on; nullptr once it is destroyed.
    virtual HWND hwnd() const = 0;
    virtual int dpi() const = 0;
    virtual HFONT font(const FontStyle& font) = 0;
    // What a control paints with: its own colour, or the system's for the
    // role while high contrast is on.
    virtual COLORREF colour(Colour colour, ColourRole role) const = 0;
    virtual void addTooltip(HWND control, const std::string& text) = 0;
    virtual void setDefaultButton(Win32Button* button) = 0;
    // Gives the focus to a control the way a dialog does.
    virtual void moveFocusTo(HWND control) = 0;
    // Before a control is disabled or hidden: moves a focus in it onwards.
    virtual void passFocusOn(HWND control) = 0;
    // A control took the focus.
    virtual void focusChanged() = 0;

protected:
    ~ControlHost() = default;
};

class ChildControl {
public:
    ChildControl(ControlHost& host, int id, const ControlDefinition& def);
    virtual ~ChildControl() = default;
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    int id() const { return id_; }
    HWND hwnd() const { return window_.get(); }
    int tabIndex() const { return tabIndex_; }
    const std::string& name() const { return name_; }
    // The name of the label that names this control for screen readers.
    virtual const std::string& namingLabel() const;
    // A hidden label of the control's own that names it, or nullptr.
    virtual HWND nameLabel() const { return nullptr; }

    // Places the control and sets its font at the host's current DPI.
    virtual void layout();
    // A notification of this control (BN_CLICKED, EN_CHANGE, ...), which
    // comes to its window as WM_COMMAND.
    virtual void onNotification(WORD) {}
    // WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT: the brush to paint with, or
    // nullptr for the system's default colours.
    virtual HBRUSH colours(HDC, bool /*asStatic*/) { return nullptr; }
    virtual bool handCursor() const { return false; }
    // After a system colour change.
    virtual void recolour() {}
    // Keeps what the native control shows, then destroys it. Its window
    // calls it on WM_DESTROY, while its children still exist, whoever
    // destroys the window; harmless once the control is gone.
    virtual void destroyNative();

    bool isEnabled() const;
    void changeEnabled(bool enabled);
    bool isVisible() const;
    void changeVisible(bool visible);

protected:
    void create(const wchar_t* windowClass, const std::string& text, DWORD style, DWORD exStyle = 0);

    ControlHost& host_;
    Bounds bounds_;
    FontStyle font_;
    OwnedWindow window_;

private:
    int id_;
    std::string name_;
    int tabIndex_;
    bool enabled_;
    bool visible_;
};

// The enabled and visible flags of every control kind, implemented once.
template <class Interface>
class ChildWindow : public Interface, public ChildControl {
public:
    template <class Definition>
    ChildWindow(ControlHost& host, int id, const Definition& def) : ChildControl(host, id, def)
    {
    }
    bool enabled() const override { return isEnabled(); }
    void setEnabled(bool enabled) override { changeEnabled(enabled); }
    bool visible() const override { return isVisible(); }
    void setVisible(bool visible) override { changeVisible(visible); }
};

class Win32Label final : public ChildWindow<Label> {
public:
    Win32Label(ControlHost& host, int id, LabelDefinition def);
    std::string caption() const override;
    void setCaption(std::string_view caption) override;
    void onNotification(WORD code) override;
    HBRUSH colours(HDC dc, bool asStatic) override;
    bool handCursor() const override { return def_.handCursor; }
    void destroyNative() override;

private:
    LabelDefinition def_;
};

class Win32Button final : public ChildWindow<Button> {
public:
    Win32Button(ControlHost& host, int id, ButtonDefinition def);
    std::string caption() const override;
    void setCaption(std::string_view caption) override;
    void makeDefault() override { host_.setDefaultButton(this); }
    void onNotification(WORD code) override;
    void destroyNative() override;
    // Whether a user could press it now (Enter must not press a hidden one).
    bool pressable() const { return hwnd() && isVisible() && isEnabled(); }
    bool definedDefault() const { return def_.isDefault; }
    // The heavy frame that marks the button Enter presses.
    void showFrame(bool framed);

private:
    static LRESULT CALLBACK watchFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);

    ButtonDefinition def_;
};

class Win32ComboBox final : public ChildWindow<ComboBox> {
public:
    Win32ComboBox(ControlHost& host, int id, ComboDefinition def);
    std::string text() const override;
    void setText(std::string_view text) override;
    void layout() override;
    void onNotification(WORD code) override;
    HWND nameLabel() const override { return name_.get(); }
    void destroyNative() override;

private:
    void showText();

    ComboDefinition def_;
    // Screen readers name a list after the static text just before it in
    // z-order; a hidden one names it without showing anything.
    OwnedWindow name_;
};

class Win32TextField final : public ChildWindow<TextField> {
public:
    Win32TextField(ControlHost& host, int id, TextFieldDefinition def);
    std::string text() const override;
    void setText(std::string_view text) override;
    void setFocus() override;
    const std::string& namingLabel() const override { return def_.label; }
    void onNotification(WORD code) override;
    HBRUSH colours(HDC dc, bool asStatic) override;
    void recolour() override;
    void destroyNative() override;

private:
    TextFieldDefinition def_;
    OwnedBrush back_;
};

class Win32PictureBox final : public ChildWindow<PictureBox> {
public:
    Win32PictureBox(ControlHost& host, int id, PictureDefinition def);
    void onNotification(WORD code) override;
    bool handCursor() const override { return def_.handCursor; }
    void destroyNative() override;

private:
    PictureDefinition def_;
    OwnedBitmap bitmap_;
};

class Win32Timer final : public Timer {
public:
    Win32Timer(ControlHost& host, UINT_PTR id, TimerDefinition def);
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    void setInterval(int ms) override;
    std::string failure() const override { return failure_; }
    UINT_PTR id() const { return id_; }
    void tick();
    // The window is going: the timer stops, its enabled flag stays.
    void destroyNative() { running_.stop(); }

private:
    UINT elapse() const;
    void refused();

    ControlHost& host_;
    UINT_PTR id_;
    TimerDefinition def_;
    bool enabled_ = false;
    std::string failure_;
    TimerRegistration running_;
};

class Win32Menu final : public Menu {
public:
    // Item ids are firstId, firstId + 1, ...
    Win32Menu(MenuDefinition def, int firstId);
    HMENU hmenu() const { return menu_.get(); }
    int itemCount() const { return static_cast<int>(def_.items.size()); }
    // Runs the handler of the item with this id; false if none has it.
    bool choose(int id);
    void destroyNative() { menu_.reset(); }

private:
    MenuDefinition def_;
    int firstId_;
    OwnedMenu menu_;
};

}  // namespace kestrow::win32
