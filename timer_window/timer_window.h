// The start-up window: countdown and time-point inputs, the action and
// run-mode lists, start, stop, schedule, the unlock guard and the popup menu.
// Its state lives in its controls; its only variables are unlockClicks and
// the running countdown's deadline.
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <optional>
#include <string_view>

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
    static constexpr double kMaxDelaySeconds = 315360000;

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
    // The text's value as the locale reads it; nullopt if it is not numeric.
    std::optional<double> valueOf(const TextField& field) const;
    // Marks now as the moment the countdown's whole seconds are counted from.
    void startDeadline();
    // The shared body of the four change handlers.
    void keepNumeric(TextField& field);
    // Runs a command line; when it cannot be started, says so in a message
    // box and returns false.
    bool runOrReport(std::string_view commandLine);
    void showMessage(std::string_view prompt);

    Callback showAbout_;

    // The countdown follows the monotonic clock, not the count of ticks:
    // each tick takes off every whole second passed since its start that the
    // fields do not show yet.
    std::int64_t countdownStartMs_ = 0;
    std::int64_t secondsTaken_ = 0;
};

}  // namespace kestrow
