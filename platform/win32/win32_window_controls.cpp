// A window's controls: the factories that make them, finding them by
// native window or by name, and what they ask of the window as their host.
#include "platform/win32/win32_window.h"

namespace kestrow::win32 {

template <class T>
T& Win32Window::adopt(std::unique_ptr<T> control)
{
    T& added = *control;
    controls_.push_back(std::move(control));
    return added;
}

Label& Win32Window::addLabel(LabelDefinition def)
{
    return adopt(std::make_unique<Win32Label>(host(), nextId_++, def));
}

Button& Win32Window::addButton(ButtonDefinition def)
{
    Win32Button& button = adopt(std::make_unique<Win32Button>(host(), nextId_++, def));
    if (def.isDefault) button.makeDefault();
    return button;
}

// Screen readers name a list after the static text just before it: a
// hidden label names it without showing anything.
ComboBox& Win32Window::addComboBox(ComboDefinition def)
{
    if (!def.accessibleName.empty()) {
        LabelDefinition name;
        name.caption = def.accessibleName;
        name.visible = false;
        addLabel(name);
    }
    return adopt(std::make_unique<Win32ComboBox>(host(), nextId_++, def));
}

TextField& Win32Window::addTextField(TextFieldDefinition def)
{
    return adopt(std::make_unique<Win32TextField>(host(), nextId_++, def));
}

PictureBox& Win32Window::addPicture(PictureDefinition def)
{
    return adopt(std::make_unique<Win32PictureBox>(host(), nextId_++, def));
}

Timer& Win32Window::addTimer(TimerDefinition def)
{
    timers_.push_back(std::make_unique<Win32Timer>(hwnd_, static_cast<UINT_PTR>(nextId_++), std::move(def)));
    return *timers_.back();
}

Menu& Win32Window::addPopupMenu(MenuDefinition def)
{
    menus_.push_back(std::make_unique<Win32Menu>(std::move(def)));
    return *menus_.back();
}

ChildControl* Win32Window::findControl(HWND window) const
{
    for (const auto& control : controls_) {
        if (window && control->hwnd() == window) return control.get();
    }
    return nullptr;
}

HWND Win32Window::controlHandle(const std::string& name) const
{
    for (const auto& control : controls_) {
        if (control->name() == name) return control->hwnd();
    }
    return nullptr;
}

COLORREF Win32Window::colour(Colour colour, ColourRole role) const { return paint(colour, role, highContrast_); }

HBRUSH Win32Window::brush(COLORREF colour) { return resources_.brush(colour); }

HFONT Win32Window::font(const FontStyle& def) { return resources_.font(def, dpi_); }

void Win32Window::addTooltip(HWND control, const std::string& text) { resources_.addTooltip(hwnd_, control, text); }

}  // namespace kestrow::win32
