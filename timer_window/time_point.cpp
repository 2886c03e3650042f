// Placeholder: the time-point handlers.
#include "timer_window/timer_window.h"

namespace kestrow {

void TimerWindow::Command6_Click() {}
void TimerWindow::Command5_Click() {}

}  // namespace kestrow
