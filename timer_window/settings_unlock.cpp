// The settings row and the three-press guard on the stop button.
#include "timer_window/texts.h"
#include "timer_window/timer_window.h"

namespace kestrow {

void TimerWindow::Command3_Click()
{
    const bool show = !Combo2->visible();
    Combo2->setVisible(show);
    Command4->setVisible(show);
}

void TimerWindow::Command4_Click()
{
    if (!Command2->enabled()) {
        ++unlockClicks;
        if (unlockClicks == 3) {
            Command2->setEnabled(true);
            Command4->setCaption(timer_texts::kLock);
        }
    } else {
        Command2->setEnabled(false);
        Command4->setCaption(timer_texts::kUnlock);
        unlockClicks = 0;
    }
}

}  // namespace kestrow
