// A native top-level window as the portable windows see it: created hidden
// from a definition, filled with controls, shown, moved in twips and destroyed.
#pragma once

#include "platform/controls.h"

#include <functional>
#include <memory>
#include <string>

namespace kestrow {

enum class Border {
    FixedSingle,  // title bar with the close box only; not resizable
    None,         // no border, no title bar
};

enum class WindowIcon {
    Power,   // the timer window's
    Vornic,  // shared by the About and follow windows
};

// Why a window is asked to close.
enum class CloseCause {
    User = 0,  // close box, system menu or Alt+F4
    // The program unloads it. No platform raises this one, since
    // Form::unload() destroys a window without asking it; it stays because
    // a close handler is written for every cause a close can have.
    Program = 1,
    TaskManager = 3,  // another program asks it to close
    SessionEnd = 2,   // the user logs off or the system shuts down
};

// Bits of the mouse button pressed.
namespace mouse {
constexpr int left = 1;
constexpr int right = 2;
constexpr int middle = 4;
}  // namespace mouse

// What a window's taskbar button shows of a countdown: nothing, the share
// still to run (1 at the start, 0 at zero), or that Windows refused a
// command, for a user working in another program.
struct CountdownProgress {
    enum class State { None, Running, Refused };
    State state = State::None;
    double shareLeft = 0;  // while Running

    bool operator==(const CountdownProgress&) const = default;
};

struct WindowDefinition {
    std::string caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    Border border = Border::FixedSingle;
    Colour background = colours::buttonFace;
    WindowIcon icon = WindowIcon::Power;

    std::function<void(int buttons)> onMouseDown;  // on the background only, not through a label
    Callback onClick;                              // a left press and release on the background
    // A close request, with its cause; the handler decides. The window is
    // never closed by the toolkit itself: the handler unloads it when it
    // should go.
    std::function<void(CloseCause cause)> onCloseRequest;
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    // Controls are owned by the window and live as long as it does.
    virtual Label& addLabel(LabelDefinition def) = 0;
    virtual Button& addButton(ButtonDefinition def) = 0;
    virtual ComboBox& addComboBox(ComboDefinition def) = 0;
    virtual TextField& addTextField(TextFieldDefinition def) = 0;
    virtual PictureBox& addPicture(PictureDefinition def) = 0;
    virtual Timer& addTimer(TimerDefinition def) = 0;
    virtual Menu& addPopupMenu(MenuDefinition def) = 0;

    // Displays the window, modeless and without an owner, and brings it to
    // the front; the first time, the first usable tab stop takes the focus.
    // Returns at once.
    virtual void show() = 0;

    // Closes and destroys the native window at once; no further events come,
    // its timers stop for good and its controls read empty. Twice is harmless.
    virtual void destroy() = 0;

    // Outer rectangle on the screen, in twips. Values read back are what the
    // window really has, which the window system may round to whole pixels.
    virtual double left() const = 0;
    virtual double top() const = 0;
    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual void setLeft(double twips) = 0;
    virtual void setTop(double twips) = 0;
    virtual void setHeight(double twips) = 0;

    // Pops the menu up at the mouse pointer; returns once it has closed and
    // the chosen item's handler (if any) has run.
    virtual void popupMenu(Menu& menu) = 0;

    // Shows the countdown's progress on the window's taskbar button, where
    // the system has one; without it nothing changes.
    virtual void showProgress(const CountdownProgress& progress) = 0;
};

}  // namespace kestrow
