// Rules for the user's input that the platforms carry out alike: which
// presses of a key and clicks count, and what a message box answers that
// the user never answered.
#pragma once

#include "platform/services.h"

namespace kestrow {

// Whether a key-down presses anything. A held key repeats its key-down; a
// repeated Enter presses nothing, since it would press whatever took the
// place of the button it pressed first (start after stop).
bool keyDownPresses(bool enter, bool repeated);

// Whether a control takes a click: only while a user could press it, shown
// and enabled. A click queued before it was hidden or disabled (a
// double-click's second click) counts for nothing.
bool takesClick(bool visible, bool enabled);

// The answer of a box that closed without one, as when its owner window
// went while it was open: declined, so Cancel, or OK when OK is its only
// button.
MessageResult unansweredBox(MessageButtons buttons);

}  // namespace kestrow
