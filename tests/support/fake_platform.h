// An in-memory platform for running the real window handlers in tests:
// text changes notify synchronously, a test clock delivers timer ticks,
// message boxes answer from a script, commands are recorded, and geometry
// read back is rounded to whole pixels at a chosen DPI.
#pragma once

#include "platform/input_rules.h"
#include "platform/services.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrow::fake {

class FakePlatform;
class FakeWindow;

// What the window keeps of every control: the definition it was made from,
// found by name and walked in creation order (the tab order).
class FakeControlBase {
public:
    virtual ~FakeControlBase() = default;
    virtual const ControlDefinition& definition() const = 0;
    virtual bool takesFocus() const = 0;  // a tab stop, now usable
};

// The state every control keeps: its definition and its two flags. Once its
// window is destroyed it reads empty, hidden and disabled, and takes no
// change, as a control whose native control has gone.
template <class Interface, class Definition>
class FakeControl : public Interface, public FakeControlBase {
public:
    FakeControl(Definition def, FakeWindow& window);
    bool enabled() const override { return live() && enabled_; }
    void setEnabled(bool enabled) override;
    bool visible() const override { return live() && visible_; }
    void setVisible(bool visible) override;
    const Definition& def() const { return def_; }
    const ControlDefinition& definition() const override { return def_; }
    bool takesFocus() const override { return false; }
    // Whether a user could click it or type into it now: shown, enabled,
    // and its window not held by a message box.
    bool canClick() const;
    // A user's click on a control whose definition has onClick: throws
    // unless a user could click it.
    void click();

protected:
    bool live() const;
    // Throws unless canClick(): no user could reach it.
    void requireUser(const char* what) const;

    FakeWindow& window_;
    Definition def_;
    bool enabled_;
    bool visible_;
};

class FakeLabel final : public FakeControl<Label, LabelDefinition> {
public:
    using FakeControl::FakeControl;
    std::string caption() const override { return live() ? caption_ : std::string(); }
    void setCaption(std::string_view c) override;

private:
    std::string caption_ = def_.caption;
};

class FakeButton final : public FakeControl<Button, ButtonDefinition> {
public:
    using FakeControl::FakeControl;
    std::string caption() const override { return live() ? caption_ : std::string(); }
    void setCaption(std::string_view c) override;
    void makeDefault() override;
    bool takesFocus() const override { return canClick(); }

private:
    std::string caption_ = def_.caption;
};

class FakeComboBox final : public FakeControl<ComboBox, ComboDefinition> {
public:
    using FakeControl::FakeControl;
    std::string text() const override { return live() ? text_ : std::string(); }
    void setText(std::string_view t) override;
    bool takesFocus() const override { return canClick(); }

private:
    std::string text_ = def_.text;
};

class FakeTextField final : public FakeControl<TextField, TextFieldDefinition> {
public:
    using FakeControl::FakeControl;
    std::string text() const override { return live() ? text_ : std::string(); }
    // Like a real edit control: every change notifies, nested, before the
    // setter returns.
    void setText(std::string_view t) override;
    void setFocus() override;
    bool takesFocus() const override { return canClick(); }
    bool hasFocus() const;
    // A user's edit leaving the given text; throws unless a user could type.
    void type(std::string_view t);

private:
    std::string text_ = def_.text;
};

class FakePictureBox final : public FakeControl<PictureBox, PictureDefinition> {
public:
    using FakeControl::FakeControl;
};

class FakeTimer final : public Timer {
public:
    FakeTimer(TimerDefinition def, FakePlatform& platform);
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    void setInterval(int ms) override;
    std::string failure() const override { return failure_; }
    const TimerDefinition& def() const { return def_; }
    std::int64_t due() const { return due_; }
    // When the timer last went from stopped to running, on the test clock.
    std::int64_t runningSince() const { return runningSince_; }
    // Ticks now; the next tick is one interval later.
    void fire();
    // The window is going: the timer stops for good.
    void stopForGood();
    // While set, the system refuses this timer with this reason.
    std::optional<std::string> refuseWith;

private:
    void arm();

    TimerDefinition def_;
    FakePlatform& platform_;
    bool enabled_ = false;
    bool gone_ = false;
    std::int64_t due_ = 0;
    std::int64_t runningSince_ = 0;
    std::string failure_;
};

class FakeMenu final : public Menu {
public:
    explicit FakeMenu(MenuDefinition def) : def_(std::move(def)) {}
    const MenuDefinition& def() const { return def_; }

private:
    MenuDefinition def_;
};

class FakeWindow final : public NativeWindow {
public:
    FakeWindow(WindowDefinition def, FakePlatform& platform);
    ~FakeWindow() override;

    Label& addLabel(LabelDefinition def) override;
    Button& addButton(ButtonDefinition def) override;
    ComboBox& addComboBox(ComboDefinition def) override;
    TextField& addTextField(TextFieldDefinition def) override;
    PictureBox& addPicture(PictureDefinition def) override;
    Timer& addTimer(TimerDefinition def) override;
    Menu& addPopupMenu(MenuDefinition def) override;

    // The first time, the first usable tab stop takes the focus.
    void show() override;
    bool isShown() const { return shown_; }
    void destroy() override;

    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void setLeft(double twips) override;
    void setTop(double twips) override;
    void setHeight(double twips) override;
    void popupMenu(Menu& menu) override;
    // A window system that keeps the window at least this high (twips).
    void setMinimumHeight(double twips) { minimumHeight_ = twips; }
    void showProgress(const CountdownProgress& progress) override { progress_ = progress; }
    const CountdownProgress& progress() const { return progress_; }

    // Test access.
    const WindowDefinition& def() const { return def_; }
    FakePlatform& platform() const { return platform_; }
    bool destroyed() const { return destroyed_; }
    // Whether a user could reach the window: not destroyed, and no message
    // box of the program open.
    bool takesInput() const;
    FakeLabel& label(const std::string& name);
    FakeButton& button(const std::string& name);
    FakeComboBox& combo(const std::string& name);
    FakeTextField& field(const std::string& name);
    FakePictureBox& picture(const std::string& name);
    FakeTimer& timer(const std::string& name);
    const std::vector<std::unique_ptr<FakeTimer>>& timers() const { return timers_; }
    // The menu that popupMenu last showed, and the item the next popup picks
    // (empty: the menu is closed without a choice).
    const FakeMenu* lastPopup() const { return lastPopup_; }
    int popupCount() const { return popupCount_; }
    void choosePopupItem(std::string item) { nextChoice_ = std::move(item); }

    // A user's mouse press or click on the window's background; a user's
    // close from the title bar, or a close with another cause (which
    // reaches a window a box holds too).
    void mouseDown(int buttons);
    void click();
    void requestClose(CloseCause cause = CloseCause::User);
    // A user's Tab: the focus goes to the next usable tab stop in creation
    // order. A user's Enter: presses the focused button, else the default
    // one, if a user could press it.
    void pressTab();
    void pressEnter();

    const Button* defaultButton() const { return defaultButton_; }
    void setDefaultButton(const Button* button) { defaultButton_ = button; }
    const Control* focus() const { return focus_; }
    void setFocus(const Control* control) { focus_ = control; }
    // A focused control disabled or hidden passes the focus on.
    void focusLeaves(const Control* control);

private:
    template <class T>
    T& find(const std::string& name);
    template <class T>
    T& adopt(std::unique_ptr<T> control, bool tabStop, const std::string& namedBy = {});
    // Twips as the nearest whole pixels at the platform's DPI; exact at DPI 0.
    double inWholePixels(double twips) const;

    WindowDefinition def_;
    FakePlatform& platform_;
    // Controls in creation order: the tab order.
    std::vector<std::unique_ptr<FakeControlBase>> controls_;
    std::vector<std::unique_ptr<FakeTimer>> timers_;
    std::vector<std::unique_ptr<FakeMenu>> menus_;
    const Button* defaultButton_ = nullptr;
    const Control* focus_ = nullptr;
    int lastTabStop_ = -1;
    const FakeMenu* lastPopup_ = nullptr;
    std::string nextChoice_;
    int popupCount_ = 0;
    bool shown_ = false;
    bool shownOnce_ = false;
    bool destroyed_ = false;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;  // exact twips when dpi is 0
    double minimumHeight_ = 0;
    CountdownProgress progress_;
};

struct RecordedMessage {
    std::string prompt;
    MessageButtons buttons;
    std::optional<std::string> title;
    std::string owner;  // the caption of the window the box belongs to
};

class FakePlatform final : public Desktop,
                           public CommandRunner,
                           public MessageBoxes,
                           public Clock,
                           public NumberLocale {
public:
    FakePlatform();
    ~FakePlatform() override;

    Services& services() { return services_; }

    // Desktop
    std::unique_ptr<NativeWindow> createWindow(WindowDefinition def) override;
    ScreenArea workArea(const NativeWindow& placed) const override;
    int doubleClickMs() const override { return doubleClickMs_; }
    void setDoubleClickMs(int ms) { doubleClickMs_ = ms; }
    // Runs once no handler runs, after what was posted or came due before.
    void post(Callback callback) override { pending_.push_back({now_, std::move(callback)}); }
    void quit() override { quit_ = true; }

    // CommandRunner: records every command line. A command the real runner
    // would refuse throws, so no test passes with one. Nothing starts while
    // failWith is set. A started command told to report its end does so as
    // the next of `endings` says; with none left, with exit code 0 right
    // after the current event. Either way the end is told once no handler
    // runs, as a posted callback is.
    CommandStart run(const CommandLine& command, CommandEnded onEnded) override;
    std::vector<std::string> commands;
    std::optional<std::string> failWith;
    struct Ending {
        std::uint32_t exitCode = 0;
        std::int64_t afterMs = 0;  // 0: right after the current event
        bool never = false;        // still running when the patience runs out
    };
    std::deque<Ending> endings;

    // MessageBoxes: records every box; answers from the script, then OK.
    // duringMessage runs while a box is open, as ticks may; meanwhile no
    // window takes input. Should the box's owner go while it is open, the
    // box answers Cancel, or OK when that is its only button.
    MessageResult show(const NativeWindow& owner, std::string_view prompt, MessageButtons buttons,
                       std::optional<std::string_view> title) override;
    std::vector<RecordedMessage> messages;
    std::vector<std::string> prompts() const;
    std::deque<MessageResult> answers;
    std::function<void()> duringMessage;

    // Clock. The monotonic clock reads the test clock on a machine up for a
    // day, in steps of the given granularity, as GetTickCount64 moves in
    // steps of the system timer.
    TimeOfDay timeOfDay() const override { return timeOfDay_; }
    void setTimeOfDay(int hour, int minute, int second) { timeOfDay_ = {hour, minute, second}; }
    std::int64_t monotonicMs() const override;
    void setClockGranularity(std::int64_t ms) { granularity_ = ms; }

    // NumberLocale
    std::string decimalSeparator() const override { return separator_; }
    void setDecimalSeparator(std::string separator) { separator_ = std::move(separator); }

    // The home monitor's work area: a screen at the origin in twips, or a
    // monitor anywhere on the desktop in pixels, measured at the DPI that
    // geometry is rounded at (0: exact, that is 96).
    void setScreen(double widthTwips, double heightTwips)
    {
        screenWidth_ = widthTwips;
        screenHeight_ = heightTwips;
        monitor_.reset();
    }
    void setMonitor(PixelRect workArea) { monitor_ = workArea; }
    void setDpi(int dpi) { dpi_ = dpi; }
    int dpi() const { return dpi_; }

    // Advances the test clock, firing due ticks in time order and running
    // posted callbacks after each event. Inside a handler (a box's wait)
    // only ticks come: the rest waits until the handler returns.
    void advance(std::int64_t ms);
    // A stall of the thread or a sleep of the machine: the clock moves on
    // with no tick; then each timer that fell due meanwhile ticks once, as
    // Windows merges the WM_TIMERs it could not deliver.
    void jump(std::int64_t ms);
    // Fires the next due tick of any enabled timer; false if none is enabled.
    bool tick();
    // Ticks until no timer runs: the number of ticks, or -1 if one still
    // runs after `limit`.
    int tickUntilNoTimerRuns(int limit = 2000);
    std::int64_t now() const { return now_; }
    // Runs a handler as the event loop does: what is posted or comes due
    // meanwhile runs once no handler runs any more.
    void handle(const Callback& handler);
    bool boxOpen() const { return openBoxes_ > 0; }

    bool quitRequested() const { return quit_; }
    // Every window object still alive (a destroyed window stays until its
    // form lets it go), oldest first.
    const std::vector<FakeWindow*>& windows() const { return windows_; }
    // The newest live window with this caption, or nullptr.
    FakeWindow* window(std::string_view caption) const;

    // Registration used by the fakes.
    void windowGone(FakeWindow* window);

private:
    // Posted callbacks and command ends due by `by`, first due first, while
    // no handler runs; runNextPending runs one and says whether it did.
    void runPending(std::int64_t by);
    bool runNextPending(std::int64_t by);
    // The enabled timer due first, if it is due by `by`.
    FakeTimer* nextDue(std::int64_t by) const;
    bool timerAlive(const FakeTimer* timer) const;

    Services services_;
    std::vector<FakeWindow*> windows_;
    // Posted callbacks (due when posted) and command ends (due when the
    // command ends), in the order they came.
    struct Pending {
        std::int64_t due;
        Callback run;
    };
    std::vector<Pending> pending_;
    int handlersRunning_ = 0;
    int openBoxes_ = 0;
    TimeOfDay timeOfDay_{12, 0, 0};
    std::string separator_ = ".";
    double screenWidth_ = 1920 * 15;
    double screenHeight_ = 1080 * 15;
    std::optional<PixelRect> monitor_;
    int doubleClickMs_ = 0;  // no guard unless a test asks for one
    int dpi_ = 0;
    std::int64_t now_ = 0;
    std::int64_t granularity_ = 1;
    bool quit_ = false;
};

template <class Interface, class Definition>
FakeControl<Interface, Definition>::FakeControl(Definition def, FakeWindow& window)
    : window_(window), def_(std::move(def)), enabled_(def_.enabled), visible_(def_.visible)
{
}

template <class Interface, class Definition>
bool FakeControl<Interface, Definition>::live() const
{
    return !window_.destroyed();
}

template <class Interface, class Definition>
void FakeControl<Interface, Definition>::setEnabled(bool enabled)
{
    if (!live()) return;
    enabled_ = enabled;
    if (!enabled) window_.focusLeaves(this);
}

template <class Interface, class Definition>
void FakeControl<Interface, Definition>::setVisible(bool visible)
{
    if (!live()) return;
    visible_ = visible;
    if (!visible) window_.focusLeaves(this);
}

template <class Interface, class Definition>
bool FakeControl<Interface, Definition>::canClick() const
{
    return takesClick(visible(), enabled()) && window_.takesInput();
}

template <class Interface, class Definition>
void FakeControl<Interface, Definition>::requireUser(const char* what) const
{
    if (!canClick()) throw std::logic_error(std::string(what) + " " + def_.name + ", which no user could reach");
}

template <class Interface, class Definition>
void FakeControl<Interface, Definition>::click()
{
    requireUser("click on");
    // A copy: the handler may destroy the window, and this control with it.
    const auto onClick = def_.onClick;
    if (onClick) window_.platform().handle(onClick);
}

}  // namespace kestrow::fake
