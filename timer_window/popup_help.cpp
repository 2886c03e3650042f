// Placeholder: the popup menu and help.
#include "timer_window/timer_window.h"

namespace kestrow {

void TimerWindow::Form_MouseDown(int) {}
void TimerWindow::help_Click() {}
void TimerWindow::about_Click()
{
    if (showAbout_) showAbout_();
}

}  // namespace kestrow
