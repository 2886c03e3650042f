// What the platform interfaces promise, each promise once, checked on every
// platform this build has: the in-memory one natively, Win32 under Wine.
#ifdef _WIN32
#include "tests/contract/win32_driver.h"
#else
#include "tests/contract/fake_driver.h"
#endif

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrow::contract {
namespace {

#ifdef _WIN32
using Platforms = ::testing::Types<Win32Driver>;
#else
using Platforms = ::testing::Types<FakeDriver>;
#endif

using Events = std::vector<std::string>;

template <class Driver>
class Contract : public ::testing::Test {
protected:
    // A shown window whose left edge is at `left` twips, and controls on it.
    std::unique_ptr<NativeWindow> window(double left = 0)
    {
        WindowDefinition def;
        def.caption = "Kestrow";
        def.clientWidth = 4500;
        def.clientHeight = 3000;
        def.onCloseRequest = [this](CloseCause cause) { closes.push_back(cause); };
        auto made = services.desktop.createWindow(std::move(def));
        made->setLeft(left);
        made->setTop(0);
        return made;
    }
    Button& button(NativeWindow& on, std::string name, int row, Callback onClick = {})
    {
        ButtonDefinition def;
        def.name = std::move(name);
        def.caption = def.name;
        def.bounds = {300, 300 + 600 * row, 1500, 450};
        def.tabIndex = row;
        def.onClick = onClick ? std::move(onClick) : [this, name = def.name] { events.push_back(name); };
        return on.addButton(std::move(def));
    }
    TextField& field(NativeWindow& on, int row, Callback onChange = {})
    {
        TextFieldDefinition def;
        def.name = "Text" + std::to_string(row);
        def.bounds = {300, 300 + 600 * row, 1500, 450};
        def.tabIndex = row;
        def.onChange = std::move(onChange);
        return on.addTextField(std::move(def));
    }
    void answer(MessageResult result, Callback inside = {}) { platform.duringNextBox(std::move(inside), result); }
    MessageResult ask(NativeWindow& owner, MessageButtons buttons = MessageButtons::Ok)
    {
        return services.messages.show(owner, "?", buttons);
    }

    Driver driver;
    PlatformDriver& platform = driver;
    Services& services = platform.services();
    Events events;
    std::vector<CloseCause> closes;
};

TYPED_TEST_SUITE(Contract, Platforms);

TYPED_TEST(Contract, SetTextNotifiesEveryChangeNestedBeforeItReturns)
{
    auto w = this->window();
    TextField* text = nullptr;
    int depth = 0;
    text = &this->field(*w, 0, [&] {
        this->events.push_back(text->text() + "@" + std::to_string(++depth));
        if (text->text().empty()) text->setText("0");
        --depth;
    });
    EXPECT_TRUE(this->events.empty()) << "the initial text is no change";
    text->setText("");
    text->setText("0");
    EXPECT_EQ(this->events, (Events{"@1", "0@2", "0@1"})) << "the same text again is still a change";
}

TYPED_TEST(Contract, PostedCallbacksAndCommandEndsWaitUntilNoHandlerRuns)
{
    auto w = this->window();
    w->show();
    Button& press = this->button(*w, "press", 0, [&] {
        this->services.desktop.post([&] { this->events.push_back("posted"); });
        this->services.commands.run(shutdownCommandLine({"-a"}),
                                    [&](const CommandOutcome&) { this->events.push_back("ended"); });
        // The box's own loop lets messages through while the handler waits.
        this->answer(MessageResult::Ok, [&] { this->platform.letCommandsEnd(); });
        this->ask(*w);
        this->events.push_back("handled");
    });
    this->platform.click(press);
    this->platform.letCommandsEnd();
    EXPECT_EQ(this->events, (Events{"handled", "posted", "ended"}));
}

TYPED_TEST(Contract, TimersTickWhileEnabledAndANewIntervalTakesEffectAtOnce)
{
    auto w = this->window();
    int ticks = 0, never = 0, stretched = 0;
    Timer* counting = nullptr;
    counting = &w->addTimer({"Timer1", 20, true, [&] {
                                 if (++ticks == 3) counting->setEnabled(false);
                             }});
    w->addTimer({"Timer2", 20, false, [&] { ++never; }});
    Timer& slow = w->addTimer({"Timer3", 60'000, true, [&] { ++stretched; }});
    slow.setInterval(20);
    this->platform.letTimePass(400);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(counting->enabled());
    EXPECT_EQ(never, 0);
    EXPECT_GT(stretched, 0);
}

TYPED_TEST(Contract, ATimerTheSystemRefusesStopsAndSaysWhy)
{
    auto w = this->window();
    Timer& timer = this->platform.refusableTimer(*w, {"Timer1", 1000, true, {}});
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(timer.failure(), "");
    this->platform.refuseTimers();
    timer.setInterval(500);
    EXPECT_FALSE(timer.enabled()) << "a refused change of interval stops it";
    EXPECT_NE(timer.failure(), "");
    timer.setEnabled(true);
    EXPECT_FALSE(timer.enabled());
    EXPECT_NE(timer.failure(), "");
}

TYPED_TEST(Contract, AfterItsWindowIsGoneAControlReadsEmptyAndTakesNoChange)
{
    auto w = this->window();
    int changes = 0, ticks = 0;
    LabelDefinition labelDefinition;
    labelDefinition.caption = "距离";
    Label& label = w->addLabel(labelDefinition);
    Button& button = this->button(*w, "Command1", 0);
    ComboDefinition comboDefinition;
    comboDefinition.text = "关机";
    comboDefinition.items = {"关机", "重启"};
    ComboBox& combo = w->addComboBox(comboDefinition);
    TextField& text = this->field(*w, 1, [&] { ++changes; });
    Timer& timer = w->addTimer({"Timer1", 10, true, [&] { ++ticks; }});
    w->destroy();
    label.setCaption("预定");
    button.setCaption("停止!");
    combo.setText("重启");
    text.setText("5");
    for (Control* control : std::vector<Control*>{&label, &button, &combo, &text}) {
        control->setVisible(true);
        control->setEnabled(true);
        EXPECT_FALSE(control->visible() || control->enabled());
    }
    EXPECT_EQ(label.caption() + button.caption() + combo.text() + text.text(), "");
    EXPECT_EQ(changes, 0);
    timer.setEnabled(true);
    EXPECT_FALSE(timer.enabled());
    this->platform.letTimePass(50);
    EXPECT_EQ(ticks, 0);
    w->destroy();  // twice is harmless
}

TYPED_TEST(Contract, ACloseRequestCarriesItsCauseAndClosesNothing)
{
    auto w = this->window();
    LabelDefinition still;
    still.caption = "here";
    Label& label = w->addLabel(still);
    w->show();
    for (CloseCause cause : {CloseCause::User, CloseCause::TaskManager, CloseCause::SessionEnd}) {
        this->platform.requestClose(*w, cause);
    }
    EXPECT_EQ(this->closes,
              (std::vector<CloseCause>{CloseCause::User, CloseCause::TaskManager, CloseCause::SessionEnd}));
    EXPECT_EQ(label.caption(), "here") << "only the handler closes a window";
}

TYPED_TEST(Contract, HiddenOrDisabledControlsTakeNoClickNorEnter)
{
    auto w = this->window();
    TextField& text = this->field(*w, 0);
    Button& hidden = this->button(*w, "hidden", 1);
    Button& disabled = this->button(*w, "disabled", 2);
    Button& shown = this->button(*w, "shown", 3);
    LabelDefinition labelDefinition;
    labelDefinition.bounds = {2400, 300, 1500, 450};
    labelDefinition.visible = false;
    labelDefinition.onClick = [&] { this->events.push_back("label"); };
    Label& label = w->addLabel(labelDefinition);
    hidden.setVisible(false);
    disabled.setEnabled(false);
    w->show();
    for (Control* control : std::vector<Control*>{&hidden, &disabled, &label, &shown}) this->platform.click(*control);
    EXPECT_EQ(this->events, (Events{"shown"}));

    hidden.makeDefault();
    text.setFocus();
    this->platform.pressEnter(*w);
    hidden.setVisible(true);
    hidden.setEnabled(false);
    this->platform.pressEnter(*w);
    hidden.setEnabled(true);
    this->platform.pressEnter(*w);
    EXPECT_EQ(this->events, (Events{"shown", "hidden"})) << "Enter pressed the default button once it could";
}

TYPED_TEST(Contract, PressesAndClicksOnTheBackgroundReachTheWindowButNotThroughALabel)
{
    WindowDefinition def;
    def.clientWidth = 4500;
    def.clientHeight = 3000;
    def.onMouseDown = [this](int buttons) { this->events.push_back("down" + std::to_string(buttons)); };
    def.onClick = [this] { this->events.push_back("click"); };
    auto w = this->services.desktop.createWindow(std::move(def));
    LabelDefinition labelDefinition;
    labelDefinition.bounds = {1500, 1500, 1500, 600};
    labelDefinition.caption = "关于";
    labelDefinition.onClick = [this] { this->events.push_back("label"); };
    Label& label = w->addLabel(labelDefinition);
    w->show();
    this->platform.clickBackground(*w, mouse::right);
    this->platform.clickBackground(*w, mouse::left);
    this->platform.click(label);
    EXPECT_EQ(this->events, (Events{"down2", "down1", "click", "label"}));
}

TYPED_TEST(Contract, ABoxWhoseOwnerGoesAnswersCancelOrOkWhenThatIsItsOnlyButton)
{
    for (MessageButtons buttons : {MessageButtons::OkCancel, MessageButtons::Ok}) {
        auto w = this->window();
        w->show();
        this->answer(MessageResult::Ok, [&] { w->destroy(); });
        EXPECT_EQ(this->ask(*w, buttons), buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel);
    }
}

TYPED_TEST(Contract, WhileABoxIsOpenNoWindowOfTheProgramTakesInput)
{
    auto owner = this->window();
    auto other = this->window(12000);
    Button& ownButton = this->button(*owner, "owner", 0);
    Button& otherButton = this->button(*other, "other", 0);
    owner->show();
    other->show();
    this->answer(MessageResult::Ok, [&] {
        this->platform.click(otherButton);
        this->platform.click(ownButton);
    });
    EXPECT_EQ(this->ask(*owner), MessageResult::Ok);
    EXPECT_TRUE(this->events.empty());
    this->platform.click(otherButton);
    EXPECT_EQ(this->events, (Events{"other"})) << "the box closed, input comes again";
}

TYPED_TEST(Contract, TabFollowsCreationOrderPastHiddenAndDisabledControls)
{
    auto w = this->window();
    TextField& first = this->field(*w, 0);
    Button& second = this->button(*w, "second", 1);
    ComboDefinition list;
    list.bounds = {300, 1500, 1500, 450};
    list.tabIndex = 2;
    ComboBox& third = w->addComboBox(list);
    this->button(*w, "hidden", 3).setVisible(false);
    this->field(*w, 4).setEnabled(false);
    Button& last = this->button(*w, "last", 5);
    w->show();
    const std::vector<const Control*> stops{&first, &second, &third, &last, &first};
    for (std::size_t i = 0; i < stops.size(); ++i) {
        EXPECT_TRUE(this->platform.hasFocus(*stops[i])) << "tab stop " << i;
        if (i + 1 < stops.size()) this->platform.pressTab(*w);
    }
}

}  // namespace
}  // namespace kestrow::contract
