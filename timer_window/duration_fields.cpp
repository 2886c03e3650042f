// The four number fields never stay empty and never keep a text that is not
// a number: an emptied field shows "0", a typing error resets it to "0".
#include "timer_window/timer_window.h"

namespace kestrow {

void TimerWindow::keepNumeric(TextField& field)
{
    if (field.text().empty()) field.setText("0");
    if (!valueOf(field)) {
        // Setting the empty text runs this handler again, nested, and that
        // run puts the "0" in.
        field.setText("");
        field.setFocus();
    }
}

void TimerWindow::Text1_Change() { keepNumeric(*Text1); }
void TimerWindow::Text2_Change() { keepNumeric(*Text2); }
void TimerWindow::Text3_Change() { keepNumeric(*Text3); }
void TimerWindow::Text4_Change() { keepNumeric(*Text4); }

}  // namespace kestrow
