// Placeholder: the countdown handlers.
#include "timer_window/timer_window.h"

namespace kestrow {

void TimerWindow::Command1_Click() {}
void TimerWindow::Timer1_Timer() {}
void TimerWindow::Command2_Click() {}

}  // namespace kestrow
