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

using FieldValues = std::array<std::optional<double>, 4>;  // days, hours, minutes, seconds

// The duration in seconds, or nullopt for one the tool would refuse. Only
// whole non-negative fields are taken, so the own countdown (which counts
// whole seconds) and the delay handed to the system always agree.
std::optional<double> wholeSeconds(const FieldValues& fields)
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

// A value less one, as its field reads it back once it shows it: through
// the text form, which has 15 digits and a "." that the field handler resets
// to "0" where the separator is another. Whole numbers below 1E15 come back
// unchanged and skip the trip.
double lessOne(double value, std::string_view separator)
{
    const double next = value - 1;
    if (std::floor(next) == next && std::fabs(next) < 1e15) return next;
    return numbers::value(numbers::toText(next), separator).value_or(0);
}

// The countdown's step: one second off the fields' values, a field that has
// run out borrowing from the next one up. Returns whether it reached zero.
// A test on a value that cannot be read counts as passed and a decrement of
// it is skipped, so a step never stops half-way; such a value also counts as
// zero, so the countdown always ends.
bool takeOneSecond(FieldValues& values, std::string_view separator)
{
    auto& [days, hours, minutes, seconds] = values;
    const auto aboveZero = [](const std::optional<double>& v) { return !v || *v > 0; };
    const auto decrement = [separator](std::optional<double>& v) {
        if (v) v = lessOne(*v, separator);
    };

    if (aboveZero(seconds)) {
        decrement(seconds);
    } else if (aboveZero(minutes)) {
        decrement(minutes);
        seconds = 59;
    } else if (aboveZero(hours)) {
        decrement(hours);
        minutes = 59;
        seconds = 59;
    } else if (aboveZero(days)) {
        decrement(days);
        hours = 23;
        minutes = 59;
        seconds = 59;
    }
    const bool unreadable = std::ranges::any_of(values, [](const auto& v) { return !v; });
    return unreadable || std::ranges::none_of(values, [](const auto& v) { return *v > 0; });
}

}  // namespace

void TimerWindow::Command1_Click()
{
    if (pressedTooSoon()) return;
    // No command exists for any other text, so a countdown could only end
    // in nothing.
    const Action* action = findAction(Combo1->text());
    if (!action) return;

    const std::array fields{Text1, Text2, Text3, Text4};
    for (TextField* field : fields) {
        if (field->text().empty()) field->setText("0");
    }
    const FieldValues values{valueOf(*Text1), valueOf(*Text2), valueOf(*Text3), valueOf(*Text4)};
    const auto seconds = wholeSeconds(values);
    if (!seconds) {
        showMessage(t::kInvalidTime);
        return;
    }

    ++runNumber_;
    // Handed over before anything on the window changes, so a command that
    // cannot start leaves the window idle as it was; one that Windows
    // refuses puts it back so once the refusal is known.
    const bool handsOver = Combo2->text() != t::kForegroundMode && action->delayable();
    if (handsOver) {
        const CommandLine command = delayedCommandLine(*action, static_cast<std::int64_t>(*seconds));
        if (!runOrReport(command, undoIfRefused(command))) return;
    }

    startDeadline();
    Timer1->setInterval(1000);
    Timer1->setEnabled(true);
    if (!Timer1->enabled()) {
        // Without its timer the window could not keep its promise, so what
        // was handed over goes back too.
        if (handsOver) runOrReport(shutdownCommandLine({"-a"}));
        // The run ends here: a refusal of what it handed over, told late,
        // must not put back a window that has moved on by then.
        ++runNumber_;
        showMessage(std::string(t::kTimerFailed) + Timer1->failure());
        return;
    }

    // The tick reads the fields with whatever decimal separator is set by
    // then; a plain whole number reads the same with every one.
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->setText(numbers::toText(*values[i]));
    Command2->setCaption(t::kStop);
    lockInputs();
    Command1->setVisible(false);
    Command2->setVisible(true);
    spotChanged();
    countdownSeconds_ = static_cast<std::int64_t>(*seconds);
    showCountdownProgress();
}

void TimerWindow::startDeadline()
{
    countdownStartMs_ = services_.clock.monotonicMs();
    secondsTaken_ = 0;
}

void TimerWindow::Timer1_Timer()
{
    const std::int64_t now = services_.clock.monotonicMs();
    const std::int64_t due = (now - countdownStartMs_) / 1000;
    if (secondsTaken_ < due) {
        // The steps run on the values and the fields are written once, so a
        // wake-up after hours of sleep does not set a field per second.
        const std::string separator = services_.locale.decimalSeparator();
        const std::array fields{Text1, Text2, Text3, Text4};
        FieldValues values;
        for (std::size_t i = 0; i < fields.size(); ++i) values[i] = numbers::value(fields[i]->text(), separator);
        const FieldValues shown = values;
        bool zero = false;
        while (secondsTaken_ < due && !zero) {
            const FieldValues before = values;
            zero = takeOneSecond(values, separator);
            ++secondsTaken_;
            // Values no step can change (far too large to count down) stay.
            if (!zero && values == before) secondsTaken_ = due;
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (values[i] && values[i] != shown[i]) fields[i]->setText(numbers::toText(*values[i]));
        }
        if (zero) {
            runImmediateCommand();
            Timer1->setEnabled(false);
            showCountdownProgress();
            return;
        }
    }
    // Timed from the start, not from this tick, so late ticks never add up.
    // A tick that read the clock just before the whole second (it moves in
    // steps) took nothing off and comes back for the rest.
    Timer1->setInterval(static_cast<int>(countdownStartMs_ + (secondsTaken_ + 1) * 1000 - now));
    showCountdownProgress();
    // The system took the timer back. In background mode the action handed
    // over still comes; the user can still unlock and stop.
    if (!Timer1->enabled()) showMessage(std::string(t::kTimerFailed) + Timer1->failure());
}

void TimerWindow::showCountdownProgress()
{
    CountdownProgress progress;
    if (Timer1->enabled()) {
        progress.state = CountdownProgress::State::Running;
        const std::int64_t left = std::max<std::int64_t>(0, countdownSeconds_ - secondsTaken_);
        progress.shareLeft =
            countdownSeconds_ > 0 ? static_cast<double>(left) / static_cast<double>(countdownSeconds_) : 0;
    }
    window().showProgress(progress);
}

// A command that cannot start is not reported here: the tick must switch
// Timer1 off whatever happened. What Windows says of it is reported once
// known.
void TimerWindow::runImmediateCommand()
{
    const Action* action = findAction(Combo1->text());
    if (!action) return;
    const CommandLine command = immediateCommandLine(*action);
    // With the delay handed over at the start, Windows already holds this
    // very shutdown or restart and answers "already scheduled": that is the
    // run going as planned, not a refusal.
    const bool handedOver = Combo2->text() != t::kForegroundMode && action->delayable();
    services_.commands.run(command, [this, command, handedOver](const CommandOutcome& outcome) {
        if (!outcome.exitCode) return;
        if (handedOver && outcome.exitCode == shutdown_exit::kShutdownScheduled) return;
        reportRefused(command, outcome);
    });
}

void TimerWindow::Command2_Click()
{
    if (pressedTooSoon()) return;
    Timer1->setEnabled(false);
    showCountdownProgress();
    const int run = ++runNumber_;
    // The window stays locked, with this button shown, until Windows has
    // said the abort went through: until then something may still be
    // pending, and the button can be pressed again.
    const CommandLine abort = shutdownCommandLine({"-a"});
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
    spotChanged();
}

}  // namespace kestrow
