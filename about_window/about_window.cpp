// The About window's definition, start-up, roll animations, OK and closing.
#include "about_window/about_window.h"

#include "about_window/texts.h"
#include "platform/numbers.h"
#include "platform/version.h"

#include <utility>

namespace kestrow {

namespace t = about_texts;

namespace {

constexpr double kLinkPoints = 10.5;
constexpr double kNotePoints = 12;

LabelDefinition label(std::string name, std::string_view caption, Bounds bounds, double points)
{
    LabelDefinition def;
    def.name = std::move(name);
    def.caption = std::string(caption);
    def.bounds = bounds;
    def.font.points = points;
    return def;
}

LabelDefinition link(std::string name, std::string_view caption, Bounds bounds, Callback onClick)
{
    LabelDefinition def = label(std::move(name), caption, bounds, kLinkPoints);
    def.font.underline = true;
    def.foreColour = colours::highlight;
    def.handCursor = true;
    def.onClick = std::move(onClick);
    return def;
}

}  // namespace

std::string versionText()
{
    std::string text = "V";
    text += numbers::toText(KESTROW_VERSION_MAJOR);
    text += ".";
    text += numbers::toText(KESTROW_VERSION_MINOR);
    text += ".";
    text += numbers::toText(KESTROW_VERSION_REVISION);
    text += "-2017.1";
    return text;
}

AboutWindow::AboutWindow(Services& services, LiveWindows& live, Callback showFollow, Callback closeFollow)
    : Form(services, live), showFollow_(std::move(showFollow)), closeFollow_(std::move(closeFollow))
{
}

WindowDefinition AboutWindow::definition()
{
    WindowDefinition def;
    def.caption = std::string(t::kCaption);
    def.clientWidth = kClientWidth;
    def.clientHeight = kClientHeight;
    def.border = Border::FixedSingle;
    def.background = colours::buttonFace;
    def.icon = WindowIcon::Vornic;
    def.onMouseDown = [this](int button) { Form_MouseDown(button); };
    def.onCloseRequest = [this](CloseCause cause) { Form_QueryUnload(cause); };
    return def;
}

void AboutWindow::addControls(NativeWindow& w)
{
    Label3 = &w.addLabel(label("Label3", t::kTitle, {2520, 240, 1575, 615}, 21.75));
    Label1 = &w.addLabel(label("Label1", t::kToolbox, {2520, 795, 1575, 375}, 10.5));
    Label81 = &w.addLabel(link("Label81", t::kChangeLog, {720, 840, 1575, 375}, [this] { Label81_Click(); }));
    Label82 = &w.addLabel(link("Label82", t::kIntroVideo, {4200, 840, 1575, 375}, [this] { Label82_Click(); }));

    LabelDefinition version = label("Label6", t::kVersionPlaceholder, {1920, 1080, 2700, 300}, 10.5);
    version.tooltip = std::string(t::kChangeLog);
    version.onClick = [this] { Label6_Click(); };
    Label6 = &w.addLabel(std::move(version));

    Label2 = &w.addLabel(label("Label2", t::kDevelopmentTool, {1920, 1560, 2700, 315}, kNotePoints));
    Label4 = &w.addLabel(label("Label4", t::kExperimental, {1920, 1920, 2700, 315}, kNotePoints));
    Label5 = &w.addLabel(label("Label5", t::kRights, {1920, 2280, 2700, 315}, kNotePoints));

    ButtonDefinition ok;
    ok.name = "Command5";
    ok.caption = std::string(t::kOk);
    ok.bounds = {2520, 2880, 1455, 495};
    ok.font.points = 14.25;
    ok.tabIndex = 0;
    ok.isDefault = true;
    ok.onClick = [this] { Command5_Click(); };
    Command5 = &w.addButton(std::move(ok));

    Label7 = &w.addLabel(link("Label7", t::kCheckUpdate, {720, 3000, 1575, 375}, [this] { Label7_Click(); }));
    Label8 = &w.addLabel(link("Label8", t::kFollow, {4200, 3000, 1575, 375}, [this] { Label8_Click(); }));
    // Never shown: the bug report is reached through the menu only.
    LabelDefinition bug = link("Label85", t::kBugReport, {2520, 3360, 1455, 375}, [this] { Label85_Click(); });
    bug.visible = false;
    Label85 = &w.addLabel(std::move(bug));

    Timer1 = &w.addTimer({"Timer1", 5, true, [this] { Timer1_Timer(); }});
    Timer2 = &w.addTimer({"Timer2", 5, false, [this] { Timer2_Timer(); }});

    yjcd = &w.addPopupMenu({"yjcd",
                            std::string(t::kMenuCaption),
                            {{"shipin", std::string(t::kIntroVideo), [this] { shipin_Click(); }},
                             {"gxrizhi", std::string(t::kChangeLog), [this] { gxrizhi_Click(); }},
                             {"update", std::string(t::kCheckUpdate), [this] { update_Click(); }},
                             {"bug", std::string(t::kBugReport), [this] { bug_Click(); }},
                             {"guanzhu", std::string(t::kFollow), [this] { guanzhu_Click(); }}}});
}

void AboutWindow::Form_Load()
{
    // Centred for the full window, so it grows down from the centred top.
    window().setHeight(0);
    const ScreenArea screen = services_.desktop.workArea(window());
    window().setLeft(centredLeft(screen, kNominalWidth));
    window().setTop(centredTop(screen, kNominalHeight));
    Label6->setCaption(versionText());
}

// Both steps start from the Height read back, so a window system that keeps
// heights in whole pixels or above a minimum still reaches the limit.
void AboutWindow::Timer1_Timer()
{
    const double height = window().height();
    if (height >= kOpenLimit) {
        Timer1->setEnabled(false);
    } else {
        window().setHeight(height + kStep);
    }
}

// A window system may keep a minimum height at or above the close limit (a
// large title bar does): a step that left the window no lower ends the close
// there, or the window would stand with its timer running for ever.
void AboutWindow::Timer2_Timer()
{
    const double height = window().height();
    if (height > 0) window().setHeight(height - kStep);
    const double lowered = window().height();
    if (lowered < kCloseLimit || lowered >= height) {
        Timer2->setEnabled(false);
        unload();
    }
}

void AboutWindow::startClosing()
{
    Timer1->setEnabled(false);
    Timer2->setEnabled(true);
}

void AboutWindow::Form_QueryUnload(CloseCause cause)
{
    if (cause == CloseCause::User) {
        startClosing();
    } else {
        unload();
    }
}

void AboutWindow::Command5_Click()
{
    if (closeFollow_) closeFollow_();
    startClosing();
}

void AboutWindow::Form_MouseDown(int button)
{
    if (button & mouse::right) window().popupMenu(*yjcd);
}

}  // namespace kestrow
