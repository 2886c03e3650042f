// The four number fields never stay empty and never keep a text that is not
// a number: an emptied field shows "0", a typing error resets it to "0".
// Full-width digits and point, which a Chinese input method types in its
// full-width mode, are taken as the ASCII ones.
#include "timer_window/timer_window.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrow {

namespace {

// The text with "０"-"９" (U+FF10-U+FF19) and "．" (U+FF0E) in ASCII, or
// nullopt if it has none. In UTF-8 they are EF BC 90-99 and EF BC 8E; each
// is one UTF-16 unit as its ASCII form is, so the caret keeps its place.
std::optional<std::string> asciiDigits(std::string_view text)
{
    std::string ascii;
    bool found = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto third = i + 2 < text.size() ? static_cast<unsigned char>(text[i + 2]) : 0u;
        if (text.substr(i, 2) == "\xEF\xBC" && ((third >= 0x90 && third <= 0x99) || third == 0x8E)) {
            ascii += third == 0x8E ? '.' : static_cast<char>('0' + (third - 0x90));
            found = true;
            i += 3;
        } else {
            ascii += text[i++];
        }
    }
    if (!found) return std::nullopt;
    return ascii;
}

}  // namespace

void TimerWindow::keepNumeric(TextField& field)
{
    // The nested run that setting the text makes does the rest.
    if (const auto ascii = asciiDigits(field.text())) {
        field.setText(*ascii);
        return;
    }
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
