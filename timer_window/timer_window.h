// The start-up window: countdown and time-point inputs, the action and
// run-mode lists, start, stop, schedule, the unlock guard and the popup menu.
// Its state lives in its controls; its variables beside unlockClicks are
// the running countdown's deadline, the run counter that tells late answers
// from Windows apart, and when the shared button spot last changed hands.
#pragma once

#include "platform/form.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace kestrow {

class TimerWindow : public Form {
public:
    // showAbout opens the About window; it is given by the program.
    TimerWindow(Services& services, LiveWindows& live, Callback showAbout = {});

    // Start-up and countdown-mode switch.
    void Form_Load() override;
    void Command7_Click();
    void lockInputs();

    // Number fields: never left empty or non-numeric.
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();

    // Countdown: start, tick, stop or cancel.
    void Command1_Click();
    void Timer1_Timer();
    void Command2_Click();

    // Time point: switch to time-point mode, schedule.
    void Command6_Click();
    void Command5_Click();

    // Settings row and the unlock guard of the stop button.
    void Command3_Click();
    void Command4_Click();

    // Popup menu.
    void Form_MouseDown(int button);
    void help_Click();
    void about_Click();

    // The longest delay the shutdown tool accepts: ten years in seconds.
    static constexpr double kMaxDelaySeconds = kMaxShutdownDelay;

    std::int16_t unlockClicks = 0;

    // Controls, named as the window's definition names them.
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    Label* Label5 = nullptr;
    Label* Label6 = nullptr;
    ComboBox* Combo1 = nullptr;
    ComboBox* Combo2 = nullptr;
    TextField* Text1 = nullptr;
    TextField* Text2 = nullptr;
    TextField* Text3 = nullptr;
    TextField* Text4 = nullptr;
    Button* Command1 = nullptr;
    Button* Command2 = nullptr;
    Button* Command3 = nullptr;
    Button* Command4 = nullptr;
    Button* Command5 = nullptr;
    Button* Command6 = nullptr;
    Button* Command7 = nullptr;
    Timer* Timer1 = nullptr;
    Menu* menu = nullptr;

protected:
    WindowDefinition definition() override;
    void addControls(NativeWindow& window) override;

private:
    // The controls lockInputs disables, in its order.
    using LockedInputs = std::array<Control*, 8>;

    // What an idle window shows, kept by a start or a schedule so that a
    // refusal from Windows can put the window back exactly as it was.
    struct IdleState {
        std::array<std::string, 4> fields;
        std::string stopCaption;
        std::array<bool, std::tuple_size_v<LockedInputs>> inputsEnabled{};
        bool startShown = false;
        bool scheduleShown = false;
    };

    // The text's value as the locale reads it; nullopt if it is not numeric.
    std::optional<double> valueOf(const TextField& field) const;
    // Marks now as the moment the countdown's whole seconds are counted from.
    void startDeadline();
    // The shared body of the four change handlers.
    void keepNumeric(TextField& field);
    // Hands a command to Windows; when it cannot be started, says so in a
    // message box and returns false. onEnded is told how it ended.
    bool runOrReport(const CommandLine& command, CommandEnded onEnded = {});
    // "命令执行失败：" with the command and the system's words for the code.
    void reportRefused(const CommandLine& command, const CommandOutcome& outcome);
    void showMessage(std::string_view prompt);
    LockedInputs lockedInputs() const;
    IdleState idleState() const;
    void restoreIdle(const IdleState& idle);
    // Made just before a start or schedule changes the window: if Windows
    // refuses the command, the window goes back to what it shows now (unless
    // a newer run has it by then) and the refusal is reported.
    CommandEnded undoIfRefused(const CommandLine& command);
    // The idle layout of the current mode once a stop or cancel is through.
    void showStopped();
    // What the countdown runs at zero: "shutdown -s -t 0", "shutdown -h", ...
    void runImmediateCommand();
    // The taskbar button shows the share of the running countdown still to
    // run, from the same deadline the fields keep; nothing when none runs.
    void showCountdownProgress();
    // Ends of commands for a run that has since been stopped or replaced
    // only report; the window then belongs to the newer run.
    bool isCurrentRun(int run) const { return run == runNumber_; }
    // Start, stop and schedule share one spot. When one takes another's
    // place, the second click of a double-click meant for the one before
    // lands on it: a press that comes that soon is not the user's.
    void spotChanged();
    bool pressedTooSoon() const;

    Callback showAbout_;

    // The countdown follows the monotonic clock, not the count of ticks:
    // each tick takes off every whole second passed since its start that the
    // fields do not show yet.
    std::int64_t countdownStartMs_ = 0;
    std::int64_t secondsTaken_ = 0;
    std::int64_t countdownSeconds_ = 0;          // the whole countdown, for its progress
    int runNumber_ = 0;                          // counts starts, schedules and stops
    std::optional<std::int64_t> spotChangedMs_;  // on the monotonic clock
};

}  // namespace kestrow
