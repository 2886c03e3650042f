// The timer window's definition, its start-up, the switch back to countdown
// mode and the helpers its handlers share.
#include "timer_window/timer_window.h"

#include "platform/numbers.h"
#include "timer_window/texts.h"

#include <string>
#include <utility>

namespace kestrow {

namespace t = timer_texts;

namespace {

constexpr Colour kPink = 0x00C0C0FF;
constexpr double kSmall = 10.5;
constexpr double kMedium = 15;
constexpr double kLarge = 21.75;

LabelDefinition label(std::string name, std::string_view caption, Bounds bounds, double points, int tab,
                      Colour fore = colours::buttonText)
{
    LabelDefinition def;
    def.name = std::move(name);
    def.caption = std::string(caption);
    def.bounds = bounds;
    def.font.points = points;
    def.tabIndex = tab;
    def.foreColour = fore;
    return def;
}

ButtonDefinition button(std::string name, std::string_view caption, Bounds bounds, double points, int tab,
                        Callback onClick)
{
    ButtonDefinition def;
    def.name = std::move(name);
    def.caption = std::string(caption);
    def.bounds = bounds;
    def.font.points = points;
    def.tabIndex = tab;
    def.onClick = std::move(onClick);
    return def;
}

// Each field is named by the unit label beside it.
TextFieldDefinition field(std::string name, std::string_view text, int top, int tab, std::string label,
                          Callback onChange)
{
    TextFieldDefinition def;
    def.name = std::move(name);
    def.label = std::move(label);
    def.text = std::string(text);
    def.bounds = {840, top, 855, 615};
    def.font.points = kLarge;
    def.tabIndex = tab;
    def.backColour = kPink;
    def.onChange = std::move(onChange);
    return def;
}

}  // namespace

TimerWindow::TimerWindow(Services& services, LiveWindows& live, Callback showAbout)
    : Form(services, live), showAbout_(std::move(showAbout))
{
}

WindowDefinition TimerWindow::definition()
{
    WindowDefinition def;
    def.caption = std::string(t::kCaption);
    def.clientWidth = 3450;
    def.clientHeight = 7920;
    def.border = Border::FixedSingle;
    def.background = kPink;
    def.icon = WindowIcon::Power;
    def.onMouseDown = [this](int button) { Form_MouseDown(button); };
    // No close handler: the window may be closed in every state, and closing
    // it cancels nothing already handed to the system.
    def.onCloseRequest = [this](CloseCause) { unload(); };
    return def;
}

void TimerWindow::addControls(NativeWindow& w)
{
    // Made in tab order, which the dialog manager's Tab follows; each unit
    // label just before the field it names, where screen readers look.
    Label2 = &w.addLabel(label("Label2", t::kDays, {1800, 1920, 870, 570}, kLarge, 6, colours::windowText));
    Text1 = &w.addTextField(field("Text1", "0", 1920, 0, "Label2", [this] { Text1_Change(); }));
    Label1 = &w.addLabel(label("Label1", t::kCountdownMode, {480, 945, 615, 495}, kMedium, 1));
    // Start, stop and schedule share one spot; at most one is shown.
    ButtonDefinition start =
        button("Command1", t::kStart, {1080, 6600, 1215, 465}, kMedium, 2, [this] { Command1_Click(); });
    start.isDefault = true;
    Command1 = &w.addButton(std::move(start));
    Label3 = &w.addLabel(label("Label3", t::kHours, {1800, 3120, 870, 570}, kLarge, 7, colours::windowText));
    Text2 = &w.addTextField(field("Text2", "0", 3120, 3, "Label3", [this] { Text2_Change(); }));
    Label4 = &w.addLabel(label("Label4", t::kMinutes, {1800, 4320, 870, 570}, kLarge, 8, colours::windowText));
    Text3 = &w.addTextField(field("Text3", "1", 4320, 4, "Label4", [this] { Text3_Change(); }));
    Label5 = &w.addLabel(label("Label5", t::kSeconds, {1800, 5520, 870, 570}, kLarge, 9, colours::windowText));
    Text4 = &w.addTextField(field("Text4", "0", 5520, 5, "Label5", [this] { Text4_Change(); }));

    ComboDefinition actions;
    actions.name = "Combo1";
    actions.text = std::string(t::kShutDown);
    actions.items = {std::string(t::kShutDown), std::string(t::kRestart), std::string(t::kHibernate),
                     std::string(t::kLogOff)};
    actions.bounds = {1080, 885, 1215, 525};
    actions.font.points = kMedium;
    actions.tabIndex = 10;
    actions.accessibleName = std::string(t::kActionListName);
    Combo1 = &w.addComboBox(std::move(actions));
    ButtonDefinition stop =
        button("Command2", t::kStop, {1080, 6600, 1215, 465}, kMedium, 11, [this] { Command2_Click(); });
    stop.visible = false;
    stop.enabled = false;
    Command2 = &w.addButton(std::move(stop));
    ComboDefinition runModes;
    runModes.name = "Combo2";
    runModes.text = std::string(t::kBackgroundMode);
    runModes.items = {std::string(t::kBackgroundMode), std::string(t::kForegroundMode)};
    runModes.bounds = {720, 7540, 2055, 420};
    runModes.font.points = kSmall;
    runModes.tabIndex = 12;
    runModes.accessibleName = std::string(t::kRunModeListName);
    runModes.visible = false;
    Combo2 = &w.addComboBox(std::move(runModes));
    ButtonDefinition unlock =
        button("Command4", t::kUnlock, {2880, 7560, 615, 375}, kSmall, 13, [this] { Command4_Click(); });
    unlock.visible = false;
    Command4 = &w.addButton(std::move(unlock));
    Command3 =
        &w.addButton(button("Command3", t::kSettings, {0, 7560, 615, 375}, kSmall, 14, [this] { Command3_Click(); }));
    Command6 = &w.addButton(
        button("Command6", t::kToTimePoint, {840, 120, 855, 375}, kSmall, 15, [this] { Command6_Click(); }));
    Command7 = &w.addButton(
        button("Command7", t::kToCountdown, {1680, 120, 855, 375}, kSmall, 16, [this] { Command7_Click(); }));
    Label6 = &w.addLabel(label("Label6", t::kRemain, {2280, 945, 735, 495}, kMedium, 17));
    ButtonDefinition schedule =
        button("Command5", t::kSchedule, {1080, 6600, 1215, 465}, kMedium, 18, [this] { Command5_Click(); });
    schedule.visible = false;
    Command5 = &w.addButton(std::move(schedule));

    // Designed running; the start-up switches it off. Should it tick before
    // that, it counts from here, not from when the machine started.
    startDeadline();
    Timer1 = &w.addTimer({"Timer1", 1000, true, [this] { Timer1_Timer(); }});

    menu = &w.addPopupMenu({"menu",
                            std::string(t::kMenuCaption),
                            {{"help", std::string(t::kHelpItem), [this] { help_Click(); }},
                             {"about", std::string(t::kAboutItem), [this] { about_Click(); }}}});
}

void TimerWindow::Form_Load()
{
    Timer1->setEnabled(false);
    Command7->setEnabled(false);
}

void TimerWindow::Command7_Click()
{
    Label1->setCaption(t::kCountdownMode);
    Label6->setCaption(t::kRemain);
    Label2->setCaption(t::kDays);
    Label3->setCaption(t::kHours);
    Label4->setCaption(t::kMinutes);
    Text2->setText("0");
    Text3->setText("1");
    Text4->setText("0");
    Command1->makeDefault();
    Command7->setEnabled(false);
    Command6->setEnabled(true);
    Command1->setVisible(true);
    Command5->setVisible(false);
}

std::optional<double> TimerWindow::valueOf(const TextField& field) const
{
    return numbers::value(field.text(), services_.locale.decimalSeparator());
}

bool TimerWindow::runOrReport(const CommandLine& command, CommandEnded onEnded)
{
    const CommandStart start = services_.commands.run(command, std::move(onEnded));
    if (start.started) return true;
    std::string message(t::kCommandFailed);
    message += command.text();
    message += "\r\n";
    message += start.reason;
    showMessage(message);
    return false;
}

// Red on the taskbar button while the box is open, for a user who works in
// another program; then whatever the window shows by the time it closes.
void TimerWindow::reportRefused(const CommandLine& command, const CommandOutcome& outcome)
{
    std::string message(t::kCommandRefused);
    message += command.text();
    message += "\r\n";
    message += outcome.message;
    window().showProgress({CountdownProgress::State::Refused, 0});
    showMessage(message);
    showCountdownProgress();
}

TimerWindow::LockedInputs TimerWindow::lockedInputs() const
{
    return {Text1, Text2, Text3, Text4, Combo1, Combo2, Command7, Command6};
}

void TimerWindow::lockInputs()
{
    for (Control* input : lockedInputs()) input->setEnabled(false);
}

TimerWindow::IdleState TimerWindow::idleState() const
{
    IdleState idle;
    idle.fields = {Text1->text(), Text2->text(), Text3->text(), Text4->text()};
    idle.stopCaption = Command2->caption();
    const auto inputs = lockedInputs();
    for (std::size_t i = 0; i < inputs.size(); ++i) idle.inputsEnabled[i] = inputs[i]->enabled();
    idle.startShown = Command1->visible();
    idle.scheduleShown = Command5->visible();
    return idle;
}

void TimerWindow::restoreIdle(const IdleState& idle)
{
    ++runNumber_;  // the refused run is over
    Timer1->setEnabled(false);
    const std::array fields{Text1, Text2, Text3, Text4};
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->setText(idle.fields[i]);
    Command2->setCaption(idle.stopCaption);
    const auto inputs = lockedInputs();
    for (std::size_t i = 0; i < inputs.size(); ++i) inputs[i]->setEnabled(idle.inputsEnabled[i]);
    Command1->setVisible(idle.startShown);
    Command5->setVisible(idle.scheduleShown);
    Command2->setVisible(false);
    spotChanged();
}

CommandEnded TimerWindow::undoIfRefused(const CommandLine& command)
{
    return [this, run = runNumber_, before = idleState(), command](const CommandOutcome& outcome) {
        if (!outcome.exitCode) return;
        if (isCurrentRun(run)) restoreIdle(before);
        reportRefused(command, outcome);
    };
}

void TimerWindow::spotChanged() { spotChangedMs_ = services_.clock.monotonicMs(); }

bool TimerWindow::pressedTooSoon() const
{
    return spotChangedMs_ && services_.clock.monotonicMs() - *spotChangedMs_ < services_.desktop.doubleClickMs();
}

void TimerWindow::showMessage(std::string_view prompt)
{
    services_.messages.show(window(), prompt, MessageButtons::Ok);
}

}  // namespace kestrow
