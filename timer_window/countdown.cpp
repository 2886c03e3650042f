// Countdown mode: the start, the window's own one-second countdown and the
// stop/cancel button shared with time-point mode.
#include "platform/numbers.h"
#include "timer_window/texts.h"
#include "timer_window/timer_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kestrow {

namespace t = timer_texts;

namespace {

constexpr std::array<double, 4> kSecondsPer = {86400, 3600, 60, 1};

bool isAction(std::string_view action)
{
    return action == t::kShutDown || action == t::kRestart || action == t::kHibernate ||
           action == t::kLogOff;
}

// The delayed command that hands the whole countdown to the system; only
// shut down and restart can be handed over.
std::optional<std::string> delayedCommand(std::string_view action, double seconds)
{
    if (action == t::kShutDown) return "shutdown -s -t " + numbers::toText(seconds);
    if (action == t::kRestart) return "shutdown -r -t " + numbers::toText(seconds);
    return std::nullopt;
}

std::optional<std::string_view> immediateCommand(std::string_view action)
{
    if (action == t::kShutDown) return "shutdown -s -t 0";
    if (action == t::kRestart) return "shutdown -r -t 0";
    if (action == t::kHibernate) return "shutdown -h";
    if (action == t::kLogOff) return "shutdown -l";
    return std::nullopt;
}

// The duration in seconds, or nullopt for one the tool would refuse. Only
// whole non-negative fields are taken, so the own countdown (which counts
// whole seconds) and the delay handed to the system always agree.
std::optional<double> wholeSeconds(const std::array<std::optional<double>, 4>& fields)
{
    double total = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& v = fields[i];
        if (!v || *v < 0 || std::floor(*v) != *v) return std::nullopt;
        total += *v * kSecondsPer[i];
    }
    if (total > TimerWindow::kMaxDelaySeconds) return std::nullopt;
    return total;
}

}  // namespace

void TimerWindow::Command1_Click()
{
    const std::string action = Combo1->text();
    // No command exists for it, so a countdown could only end in nothing.
    if (!isAction(action)) return;

    for (TextField* field : {Text1, Text2, Text3, Text4}) {
        if (field->text().empty()) field->setText("0");
    }
    const auto seconds = wholeSeconds({valueOf(*Text1), valueOf(*Text2), valueOf(*Text3), valueOf(*Text4)});
    if (!seconds) {
        showMessage(t::kInvalidTime);
        return;
    }

    // Handed over before anything on the window changes, so a refused
    // command leaves the window idle as it was.
    if (Combo2->text() != t::kForegroundMode) {
        const auto command = delayedCommand(action, *seconds);
        if (command && !runOrReport(*command)) return;
    }

    Command2->setCaption(t::kStop);
    lockInputs();
    Timer1->setEnabled(true);
    Command1->setVisible(false);
    Command2->setVisible(true);
}

void TimerWindow::Timer1_Timer()
{
    // A test on a field that cannot be read counts as passed and a decrement
    // that cannot be computed is skipped, so a tick never stops half-way and
    // always reaches the step that switches Timer1 off.
    const auto aboveZero = [this](const TextField& field) {
        const auto v = valueOf(field);
        return !v || *v > 0;
    };
    const auto decrement = [this](TextField& field) {
        if (const auto v = valueOf(field)) field.setText(numbers::toText(*v - 1));
    };

    if (aboveZero(*Text4)) {
        decrement(*Text4);
    } else if (aboveZero(*Text3)) {
        decrement(*Text3);
        Text4->setText("59");
    } else if (aboveZero(*Text2)) {
        decrement(*Text2);
        Text3->setText("59");
        Text4->setText("59");
    } else if (aboveZero(*Text1)) {
        decrement(*Text1);
        Text2->setText("23");
        Text3->setText("59");
        Text4->setText("59");
    }

    const std::array values{valueOf(*Text1), valueOf(*Text2), valueOf(*Text3), valueOf(*Text4)};
    const bool unreadable = std::ranges::any_of(values, [](const auto& v) { return !v; });
    if (!unreadable && std::ranges::any_of(values, [](const auto& v) { return *v > 0; })) return;

    // The result is not looked at: nobody waits on a tick to be told, and
    // Timer1 must go off whatever happened.
    if (const auto command = immediateCommand(Combo1->text())) services_.commands.run(*command);
    Timer1->setEnabled(false);
}

void TimerWindow::Command2_Click()
{
    Timer1->setEnabled(false);
    // Left running-looking and locked, so the user can press stop again.
    if (!runOrReport("shutdown -a")) return;

    for (Control* input : std::initializer_list<Control*>{Text1, Text2, Text3, Text4, Combo1, Combo2}) {
        input->setEnabled(true);
    }
    if (Label1->caption() == t::kTimePointMode) {
        Command2->setVisible(false);
        Command5->setVisible(true);
        Command7->setEnabled(true);
    } else {
        Command6->setEnabled(true);
        Command2->setVisible(false);
        Command1->setVisible(true);
    }
}

}  // namespace kestrow
