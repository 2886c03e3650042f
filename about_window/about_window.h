// The About window: version, notes, OK and five link labels. It rolls open
// from its title bar downwards and rolls shut before it unloads itself. Its
// whole state is its Height and the enabled flags of its two timers.
#pragma once

#include "platform/form.h"

#include <string>
#include <string_view>

namespace kestrow {

// "V1.0.0-2017.1": the program's version numbers in their shortest decimal
// form, built anew at each use.
std::string versionText();

class AboutWindow : public Form {
public:
    // The follow window is the program's: the follow link asks it to be
    // shown, OK asks it to close.
    AboutWindow(Services& services, LiveWindows& live, Callback showFollow, Callback closeFollow);

    // Start-up: collapsed, placed for the nominal outer size, version written.
    void Form_Load() override;
    // One step of the open and of the close animation.
    void Timer1_Timer();
    void Timer2_Timer();
    // A close from the title bar animates; any other cause unloads at once.
    void Form_QueryUnload(CloseCause cause);
    // OK: closes the follow window and this one, both animated.
    void Command5_Click();
    // A right-button press on the background pops up yjcd.
    void Form_MouseDown(int button);

    // Links and their menu items.
    void showChangeLog();
    void Label6_Click();
    void Label81_Click();
    void Label7_Click();
    void Label82_Click();
    void Label85_Click();
    void Label8_Click();
    void shipin_Click();
    void gxrizhi_Click();
    void update_Click();
    void bug_Click();
    void guanzhu_Click();

    Label* Label3 = nullptr;
    Label* Label1 = nullptr;
    Label* Label81 = nullptr;
    Label* Label82 = nullptr;
    Label* Label6 = nullptr;
    Label* Label2 = nullptr;
    Label* Label4 = nullptr;
    Label* Label5 = nullptr;
    Button* Command5 = nullptr;
    Label* Label7 = nullptr;
    Label* Label8 = nullptr;
    Label* Label85 = nullptr;
    Timer* Timer1 = nullptr;
    Timer* Timer2 = nullptr;
    Menu* yjcd = nullptr;

    static constexpr int kClientWidth = 6450;
    static constexpr int kClientHeight = 3735;
    // The outer size the placement centres, whatever the real frame is.
    static constexpr double kNominalWidth = 6540;
    static constexpr double kNominalHeight = 4155;
    static constexpr double kStep = 200;
    static constexpr double kOpenLimit = 4035;
    static constexpr double kCloseLimit = 600;

protected:
    WindowDefinition definition() override;
    void addControls(NativeWindow& window) override;

private:
    // Starts the close animation and ends the open one, so that a close
    // during the opening cannot be held up by the two steps cancelling out.
    void startClosing();
    // Asks the question and opens the page on OK.
    void askAndOpen(std::string_view question, std::string_view address);

    Callback showFollow_;
    Callback closeFollow_;
};

}  // namespace kestrow
