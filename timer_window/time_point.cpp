// Time-point mode: the switch into it and the scheduling of a shut down or
// restart at a time of day, handed to the shutdown tool as one delay.
#include "timer_window/actions.h"
#include "timer_window/texts.h"
#include "timer_window/timer_window.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace kestrow {

namespace t = timer_texts;

namespace {

constexpr double kSecondsPerDay = 86400;

bool above(std::optional<double> value, double limit) { return value && *value > limit; }

// The upper bounds are tested apart (and corrected); what is left to refuse
// here is a reading that names no clock position at all.
bool isClockReading(std::optional<double> value) { return value && *value >= 0 && *value == std::floor(*value); }

// Rounds a part of the delay up to whole seconds. A decimal day offset times
// 86400 seldom comes out exact in binary (1.1 days gives a hair above 95040),
// and that noise must not cost the user a second.
double wholeSecondsUp(double seconds)
{
    const double nearest = std::round(seconds);
    const double noise = std::abs(seconds) * 4 * std::numeric_limits<double>::epsilon();
    if (std::abs(seconds - nearest) <= noise) return nearest;
    return std::ceil(seconds);
}

}  // namespace

void TimerWindow::Command6_Click()
{
    const Action* action = findAction(Combo1->text());
    if (action && !action->delayable()) {
        showMessage(action->countdownOnly);
        return;
    }
    Label1->setCaption(t::kTimePointMode);
    Label6->setCaption(t::kAt);
    Label2->setCaption(t::kDaysLater);
    Label3->setCaption(t::kOClock);
    Label4->setCaption(t::kMinute);
    Text3->setText("0");
    Text2->setText("12");
    Text4->setText("0");
    Command5->makeDefault();
    Command6->setEnabled(false);
    Command7->setEnabled(true);
    Command1->setVisible(false);
    Command5->setVisible(true);
}

void TimerWindow::Command5_Click()
{
    if (pressedTooSoon()) return;
    const Action* action = findAction(Combo1->text());
    // As in countdown mode, a text that names no action does nothing.
    if (!action) return;
    if (!action->delayable()) {
        showMessage(action->countdownOnly);
        return;
    }

    const auto hour = valueOf(*Text2);
    const auto minute = valueOf(*Text3);
    const auto second = valueOf(*Text4);
    if (above(hour, 23) || above(minute, 59) || above(second, 59)) {
        showMessage(t::kInvalidTime);
        // Each field is read anew: the message box may have let other
        // handlers run meanwhile.
        if (above(valueOf(*Text2), 23)) Text2->setText("23");
        if (above(valueOf(*Text3), 59)) Text3->setText("59");
        if (above(valueOf(*Text4), 59)) Text4->setText("59");
        return;
    }
    if (!isClockReading(hour) || !isClockReading(minute) || !isClockReading(second)) {
        showMessage(t::kInvalidTime);
        return;
    }

    const TimeOfDay now = services_.clock.timeOfDay();
    const double target = *hour * 3600 + *minute * 60 + *second;
    double delay = target - (now.hour * 3600 + now.minute * 60 + now.second);
    // The day offset is read the way the field handler checked it, with the
    // user's decimal separator: "0,5" is half a day wherever "," is the
    // separator, not the 0 that a "."-only reading would make of it.
    const auto days = valueOf(*Text1);
    if (!days) {
        showMessage(t::kInvalidTime);
        return;
    }
    delay += wholeSecondsUp(*days * kSecondsPerDay);

    // Negated comparisons, so that a NaN is refused rather than scheduled.
    if (!(delay > 0)) {
        showMessage(t::kPastTime);
        return;
    }
    if (!(delay <= kMaxDelaySeconds)) {
        showMessage(t::kInvalidTime);
        return;
    }

    ++runNumber_;
    const CommandLine command = delayedCommandLine(*action, static_cast<std::int64_t>(delay));
    // The buttons change only once the command has started.
    if (!runOrReport(command, undoIfRefused(command))) return;

    Command2->setVisible(true);
    Command5->setVisible(false);
    Command2->setCaption(t::kCancel);
    lockInputs();
    spotChanged();
}

}  // namespace kestrow
