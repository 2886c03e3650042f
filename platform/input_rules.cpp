#include "platform/input_rules.h"

namespace kestrow {

bool keyDownPresses(bool enter, bool repeated) { return !(enter && repeated); }

bool takesClick(bool visible, bool enabled) { return visible && enabled; }

MessageResult unansweredBox(MessageButtons buttons)
{
    return buttons == MessageButtons::OkCancel ? MessageResult::Cancel : MessageResult::Ok;
}

}  // namespace kestrow
