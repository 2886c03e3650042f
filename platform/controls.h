// Controls a portable window places on its native window. Each control is
// described once by a definition (position in twips, font, colours, tab place,
// initial state) and then read and changed only through these interfaces, so
// the window's handlers never see the toolkit behind them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrow {

// &H00BBGGRR, or &H800000nn for system colour nn.
using Colour = std::uint32_t;

constexpr Colour systemColour(unsigned index) { return 0x80000000u | index; }
constexpr bool isSystemColour(Colour colour) { return (colour & 0xFF000000u) == 0x80000000u; }

namespace colours {
constexpr Colour activeTitleBar = systemColour(2);
constexpr Colour windowBackground = systemColour(5);
constexpr Colour windowText = systemColour(8);
constexpr Colour highlight = systemColour(13);
constexpr Colour buttonFace = systemColour(15);
constexpr Colour buttonText = systemColour(18);
}  // namespace colours

// A position and size in twips (1/1440 inch), relative to the client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Every text uses the face "微软雅黑", weight 400, character set 134; only the
// size and the underline differ.
struct FontStyle {
    double points = 9;
    bool underline = false;
};

inline constexpr std::string_view kFontFace = "微软雅黑";
inline constexpr int kFontWeight = 400;
inline constexpr int kFontCharset = 134;

// The few pictures the windows use, compiled into the program.
enum class Picture {
    None,
    Youku,
    Bilibili,
    Tudou,
    WeChat,
    QQGroup,
    Tieba,
};

using Callback = std::function<void()>;

// Fields shared by every visible control.
struct ControlDefinition {
    std::string name;  // e.g. "Command1"; lets tests and diagnostics find it
    Bounds bounds;
    FontStyle font;
    // Place in the focus order, -1 for none. Tab follows the order the
    // controls are added in, past hidden and disabled ones, so a window adds
    // them in this order.
    int tabIndex = -1;
    bool visible = true;
    bool enabled = true;
};

// Once its window is destroyed, a control reads empty, hidden and disabled,
// and takes no change.
class Control {
public:
    virtual ~Control() = default;
    // A hidden or disabled control takes no click, nor Enter as the default
    // button; while a message box is open no control takes any.
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

// Centred text on a transparent background.
struct LabelDefinition : ControlDefinition {
    std::string caption;
    Colour foreColour = colours::buttonText;
    bool handCursor = false;  // link labels
    std::string tooltip;
    Callback onClick;  // empty: the label takes the click and does nothing
};

class Label : public Control {
public:
    virtual std::string caption() const = 0;
    virtual void setCaption(std::string_view caption) = 0;
};

struct ButtonDefinition : ControlDefinition {
    std::string caption;
    bool isDefault = false;
    Callback onClick;
};

class Button : public Control {
public:
    virtual std::string caption() const = 0;
    virtual void setCaption(std::string_view caption) = 0;
    // Makes this the window's default button: Enter presses it.
    virtual void makeDefault() = 0;
};

// A drop-down list whose text can also be typed.
struct ComboDefinition : ControlDefinition {
    std::string text;
    std::vector<std::string> items;
    // What screen readers call the list; no label on the window names it.
    std::string accessibleName;
};

class ComboBox : public Control {
public:
    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
};

// A one-line field with centred text. onChange runs for every change of the
// text, also one made by setText, and has finished before setText returns.
struct TextFieldDefinition : ControlDefinition {
    std::string text;
    Colour backColour = colours::windowBackground;
    // The label whose caption names the field for screen readers (a unit
    // such as "天"), or none; the window adds it just before the field.
    std::string label;
    Callback onChange;
};

class TextField : public Control {
public:
    virtual std::string text() const = 0;
    // onChange runs, nested, before this returns; the same text again is
    // still a change.
    virtual void setText(std::string_view text) = 0;
    virtual void setFocus() = 0;
};

// A borderless box exactly the size of its picture.
struct PictureDefinition : ControlDefinition {
    Picture picture = Picture::None;
    bool handCursor = false;
    std::string tooltip;
    Callback onClick;
};

class PictureBox : public Control {};

// A periodic timer: while enabled it ticks every interval, first one interval
// after being enabled. Disabling stops it at once; enabling it again starts a
// fresh interval. Enabling an enabled timer changes nothing. A new interval
// takes effect at once: an enabled timer's next tick comes that long after
// setInterval, a disabled one uses it when next enabled.
//
// The system may refuse a timer (it has run out of them). A refused start
// leaves enabled() false, as does a refused change of interval, which stops
// the timer; failure() then gives the system's reason. It is empty after a
// start the system took.
struct TimerDefinition {
    std::string name;
    int intervalMs = 1000;
    bool enabled = false;
    Callback onTick;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setInterval(int ms) = 0;
    // Why the system refused the last start; empty after one it took.
    virtual std::string failure() const = 0;
};

// A hidden menu, shown only as a popup at the mouse pointer.
struct MenuItemDefinition {
    std::string name;
    std::string caption;
    Callback onClick;
};

struct MenuDefinition {
    std::string name;
    // The menu's own caption, which the window's design gives it. A popup
    // menu has nowhere to show one, so no platform reads it; it is kept so
    // the definition says all the design does.
    std::string caption;
    std::vector<MenuItemDefinition> items;
};

class Menu {
public:
    virtual ~Menu() = default;
};

}  // namespace kestrow
