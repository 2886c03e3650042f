// The follow window's definition, placement, slide animations and pictures.
#include "follow_window/follow_window.h"

#include "follow_window/texts.h"
#include "platform/web_pages.h"

#include <string>
#include <utility>

namespace kestrow {

namespace t = follow_texts;

namespace {

LabelDefinition label(std::string name, std::string_view caption, Bounds bounds, double points, Colour fore)
{
    LabelDefinition def;
    def.name = std::move(name);
    def.caption = std::string(caption);
    def.bounds = bounds;
    def.font.points = points;
    def.foreColour = fore;
    return def;
}

PictureDefinition picture(std::string name, Picture image, Bounds bounds, std::string_view tooltip, Callback onClick)
{
    PictureDefinition def;
    def.name = std::move(name);
    def.picture = image;
    def.bounds = bounds;
    def.handCursor = true;
    def.tooltip = std::string(tooltip);
    def.onClick = std::move(onClick);
    return def;
}

}  // namespace

FollowWindow::FollowWindow(Services& services, LiveWindows& live) : Form(services, live) {}

WindowDefinition FollowWindow::definition()
{
    WindowDefinition def;
    def.caption = std::string(t::kCaption);
    def.clientWidth = kClientWidth;
    def.clientHeight = kClientHeight;
    def.border = Border::None;
    def.background = colours::buttonText;
    def.icon = WindowIcon::Vornic;
    def.onClick = [this] { Form_Click(); };
    // The window has no close handling of its own: a close from the keyboard,
    // the task manager or the end of the session takes it away at once.
    def.onCloseRequest = [this](CloseCause) { unload(); };
    return def;
}

void FollowWindow::addControls(NativeWindow& w)
{
    Label1 = &w.addLabel(label("Label1", t::kCaption, {6120, 240, 4020, 1245}, 42, colours::highlight));
    Label5 = &w.addLabel(label("Label5", t::kSubtitle, {6120, 1440, 4020, 615}, 24, colours::activeTitleBar));

    // Two rows of three, each box exactly the size of its picture.
    Picture2 =
        &w.addPicture(picture("Picture2", Picture::Youku, {1560, 2480, 3675, 3450}, {}, [this] { Picture2_Click(); }));
    Picture1 = &w.addPicture(
        picture("Picture1", Picture::Bilibili, {6000, 2040, 4365, 4230}, {}, [this] { Picture1_Click(); }));
    Picture5 =
        &w.addPicture(picture("Picture5", Picture::Tudou, {10800, 2040, 4785, 4020}, {}, [this] { Picture5_Click(); }));
    Picture3 = &w.addPicture(
        picture("Picture3", Picture::WeChat, {1920, 6330, 3075, 3900}, t::kWeChatTip, [this] { Picture3_Click(); }));
    Picture4 = &w.addPicture(
        picture("Picture4", Picture::QQGroup, {6720, 6360, 2970, 3870}, t::kQQTip, [this] { Picture4_Click(); }));
    Picture6 =
        &w.addPicture(picture("Picture6", Picture::Tieba, {11640, 6300, 3075, 3900}, {}, [this] { Picture6_Click(); }));

    Label2 = &w.addLabel(label("Label2", t::kCloseHint, {6240, 10200, 4020, 375}, 14.25, colours::activeTitleBar));

    Timer1 = &w.addTimer({"Timer1", 5, true, [this] { Timer1_Timer(); }});
    Timer2 = &w.addTimer({"Timer2", 5, false, [this] { Timer2_Timer(); }});
}

double FollowWindow::centredTop() const
{
    return kestrow::centredTop(services_.desktop.workArea(window()), kClientHeight);
}

void FollowWindow::Form_Load()
{
    window().setLeft(centredLeft(services_.desktop.workArea(window()), kClientWidth));
    window().setTop(centredTop() + kStartBelow);
}

// Each step starts from the Top read back, so a window system that keeps
// positions in whole pixels still brings the window past its limit.
void FollowWindow::Timer1_Timer()
{
    const double limit = centredTop();
    const double top = window().top();
    if (top > limit) {
        window().setTop(top - kStep);
    } else {
        Timer1->setEnabled(false);
    }
}

void FollowWindow::Timer2_Timer()
{
    const double limit = centredTop() - kCloseAbove;
    const double top = window().top();
    if (top > limit) {
        window().setTop(top - kStep);
    } else {
        Timer2->setEnabled(false);
        unload();
    }
}

void FollowWindow::Form_Click() { startClosing(); }

void FollowWindow::startClosing() { Timer2->setEnabled(true); }

void FollowWindow::Picture1_Click() { pages::open(services_, window(), pages::kBilibiliSpace); }
void FollowWindow::Picture2_Click() { pages::open(services_, window(), pages::kYoukuChannel); }
void FollowWindow::Picture3_Click() { pages::open(services_, window(), pages::kWeChatAccount); }
void FollowWindow::Picture4_Click() { pages::open(services_, window(), pages::kQQGroup); }
void FollowWindow::Picture5_Click() { pages::open(services_, window(), pages::kTudouChannel); }
void FollowWindow::Picture6_Click() { pages::open(services_, window(), pages::kTiebaForum); }

}  // namespace kestrow
