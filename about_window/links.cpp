// The About window's link labels and the popup-menu items that repeat them.
#include "about_window/about_window.h"

#include "about_window/texts.h"
#include "platform/web_pages.h"

#include <string>

namespace kestrow {

namespace t = about_texts;

void AboutWindow::showChangeLog()
{
    std::string text(t::kChangeLogHeading);
    text += "\r\n\r\n";
    text += versionText();
    text += "\r\n";
    text += t::kInStores;
    text += "\r\n";
    services_.messages.show(window(), text, MessageButtons::Ok);
}

void AboutWindow::askAndOpen(std::string_view question, std::string_view address)
{
    if (services_.messages.show(window(), question, MessageButtons::OkCancel, t::kQuestionTitle) == MessageResult::Ok) {
        pages::open(services_, window(), address);
    }
}

void AboutWindow::Label6_Click() { showChangeLog(); }
void AboutWindow::Label81_Click() { showChangeLog(); }
void AboutWindow::Label7_Click() { askAndOpen(t::kAskUpdate, pages::kUpdate); }
void AboutWindow::Label82_Click() { askAndOpen(t::kAskVideo, pages::kIntroVideo); }
void AboutWindow::Label85_Click() { pages::open(services_, window(), pages::kFeedback); }
void AboutWindow::Label8_Click()
{
    if (showFollow_) showFollow_();
}

void AboutWindow::shipin_Click() { Label82_Click(); }
void AboutWindow::gxrizhi_Click() { Label81_Click(); }
void AboutWindow::update_Click() { Label7_Click(); }
void AboutWindow::bug_Click() { Label85_Click(); }
void AboutWindow::guanzhu_Click() { Label8_Click(); }

}  // namespace kestrow
