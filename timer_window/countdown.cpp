// Countdown mode: the start, the window's own one-second countdown and the
// stop/cancel button shared with time-point mode.
#include "platform/numbers.h"
#include "timer_window/actions.h"
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
    // No command exists for any other text, so a countdown could only end
    // in nothing.
    const Action* action = findAction(Combo1->text());
    if (!action) return;

    for (TextField* field : {Text1, Text2, Text3, Text4}) {
        if (field->text().empty()) field->setText("0");
    }
    const auto seconds = wholeSeconds({valueOf(*Text1), valueOf(*Text2), valueOf(*Text3), valueOf(*Text4)});
    if (!seconds) {
        showMessage(t::kInvalidTime);
        return;
    }

    ++runNumber_;
    // Handed over before anything on the window changes, so a command that
    // cannot start leaves the window idle as it was; one that Windows
    // refuses puts it back so once the refusal is known.
    if (Combo2->text() != t::kForegroundMode && action->delayable()) {
        const Command command = delayedCommand(*action, static_cast<std::int64_t>(*seconds));
        if (!runOrReport(command, undoIfRefused(command))) return;
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

    // A command that cannot start is not reported here: Timer1 must go off
    // whatever happened. What Windows says of it is reported once known.
    if (const Action* action = findAction(Combo1->text())) {
        const Command command = immediateCommand(*action);
        // With the delay handed over at the start, Windows already holds
        // this very shutdown or restart and answers "already scheduled":
        // that is the run going as planned, not a refusal.
        const bool handedOver = Combo2->text() != t::kForegroundMode && action->delayable();
        services_.commands.run(command, [this, command, handedOver](const CommandOutcome& outcome) {
            if (!outcome.exitCode) return;
            if (handedOver && outcome.exitCode == shutdown_exit::kShutdownScheduled) return;
            reportRefused(command, outcome);
        });
    }
    Timer1->setEnabled(false);
}

void TimerWindow::Command2_Click()
{
    Timer1->setEnabled(false);
    const int run = ++runNumber_;
    // The window stays locked, with this button shown, until Windows has
    // said the abort went through: until then something may still be
    // pending, and the button can be pressed again.
    const Command abort = shutdownCommand({"-a"});
    runOrReport(abort, [this, run, abort](const CommandOutcome& outcome) {
        // "Nothing to abort" is what a stop in foreground mode, or after
        // the system's delay was withdrawn elsewhere, should hear.
        if (outcome.exitCode && outcome.exitCode != shutdown_exit::kNoShutdownInProgress) {
            reportRefused(abort, outcome);
            return;
        }
        if (isCurrentRun(run)) showStopped();
    });
}

void TimerWindow::showStopped()
{
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
