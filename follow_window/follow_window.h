// The borderless window with the six QR pictures of the maker's channels. It
// slides up into place when loaded and slides further up and unloads itself
// once its background is clicked. Its whole state is its Top and the enabled
// flags of its two timers.
#pragma once

#include "platform/form.h"

namespace kestrow {

class FollowWindow : public Form {
public:
    FollowWindow(Services& services, LiveWindows& live);

    // Placement: centred horizontally, 1200 twips below the centred top.
    void Form_Load() override;
    // One step of the open and of the close animation.
    void Timer1_Timer();
    void Timer2_Timer();
    // A click on the background starts the close animation.
    void Form_Click();
    // Starts the close animation, which ends by unloading the window; what
    // the About window's OK asks of it.
    void startClosing();

    // Each picture opens its channel's page.
    void Picture1_Click();
    void Picture2_Click();
    void Picture3_Click();
    void Picture4_Click();
    void Picture5_Click();
    void Picture6_Click();

    Label* Label1 = nullptr;
    Label* Label5 = nullptr;
    Label* Label2 = nullptr;
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture4 = nullptr;
    PictureBox* Picture5 = nullptr;
    PictureBox* Picture6 = nullptr;
    Timer* Timer1 = nullptr;
    Timer* Timer2 = nullptr;

    static constexpr int kClientWidth = 16650;
    static constexpr int kClientHeight = 10770;
    static constexpr double kStartBelow = 1200;  // below the centred top at load
    static constexpr double kCloseAbove = 1200;  // above it when the window goes
    static constexpr double kStep = 100;

protected:
    WindowDefinition definition() override;
    void addControls(NativeWindow& window) override;

private:
    // The Top at which the window stands vertically centred, from the screen
    // height as it is now.
    double centredTop() const;
};

}  // namespace kestrow
