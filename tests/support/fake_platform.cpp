#include "tests/support/fake_platform.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace kestrow::fake {

namespace {

void require(bool condition, const std::string& what)
{
    if (!condition) throw std::logic_error(what);
}

// Decrements a count when the scope ends, also by an exception.
struct Counted {
    explicit Counted(int& count) : count_(count) { ++count_; }
    ~Counted() { --count_; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    int& count_;
};

}  // namespace

void FakeLabel::setCaption(std::string_view c)
{
    if (live()) caption_ = std::string(c);
}

void FakeButton::setCaption(std::string_view c)
{
    if (live()) caption_ = std::string(c);
}

void FakeButton::makeDefault()
{
    if (live()) window_.setDefaultButton(this);
}

void FakeComboBox::setText(std::string_view t)
{
    if (live()) text_ = std::string(t);
}

void FakeTextField::setText(std::string_view t)
{
    if (!live()) return;
    text_ = std::string(t);
    if (def_.onChange) def_.onChange();
}

void FakeTextField::setFocus()
{
    if (live()) window_.setFocus(this);
}

bool FakeTextField::hasFocus() const { return window_.focus() == this; }

void FakeTextField::type(std::string_view t)
{
    requireUser("typing into");
    window_.platform().handle([this, t] { setText(t); });
}

FakeTimer::FakeTimer(TimerDefinition def, FakePlatform& platform) : def_(std::move(def)), platform_(platform)
{
    setEnabled(def_.enabled);
}

void FakeTimer::arm()
{
    if (gone_) return;
    if (refuseWith) {
        failure_ = *refuseWith;
        enabled_ = false;
        return;
    }
    failure_.clear();
    if (!enabled_) runningSince_ = platform_.now();
    enabled_ = true;
    due_ = platform_.now() + std::max(def_.intervalMs, 1);
}

void FakeTimer::setEnabled(bool enabled)
{
    if (!enabled) enabled_ = false;
    else if (!enabled_) arm();
}

void FakeTimer::setInterval(int ms)
{
    def_.intervalMs = ms;
    if (enabled_) arm();
}

void FakeTimer::fire()
{
    due_ = platform_.now() + std::max(def_.intervalMs, 1);
    if (def_.onTick) platform_.handle(def_.onTick);
}

void FakeTimer::stopForGood()
{
    enabled_ = false;
    gone_ = true;
}

FakeWindow::FakeWindow(WindowDefinition def, FakePlatform& platform) : def_(std::move(def)), platform_(platform)
{
    // A captioned window adds its frame: 6 pixels wider and 29 higher, a
    // 3-pixel fixed border round a 23-pixel title bar, as Windows' classic
    // metrics give at 96 DPI.
    const double px = platform_.dpi() ? 1440.0 / platform_.dpi() : 15;
    const bool framed = def_.border == Border::FixedSingle;
    width_ = def_.clientWidth + (framed ? 6 * px : 0);
    height_ = def_.clientHeight + (framed ? 29 * px : 0);
}

FakeWindow::~FakeWindow() { platform_.windowGone(this); }

bool FakeWindow::takesInput() const { return !destroyed_ && !platform_.boxOpen(); }

// Windows' Tab follows the order controls are made in, and screen readers
// name a field after the label made just before it: a window that makes
// them otherwise is told at once.
template <class T>
T& FakeWindow::adopt(std::unique_ptr<T> control, bool tabStop, const std::string& namedBy)
{
    const ControlDefinition& def = control->definition();
    if (tabStop && def.tabIndex >= 0) {
        require(def.tabIndex > lastTabStop_, "tab stop " + def.name + " made out of tab order");
        lastTabStop_ = def.tabIndex;
    }
    require(namedBy.empty() || (!controls_.empty() && controls_.back()->definition().name == namedBy),
            "field " + def.name + " not made right after its label");
    T& added = *control;
    controls_.push_back(std::move(control));
    return added;
}

Label& FakeWindow::addLabel(LabelDefinition def)
{
    return adopt(std::make_unique<FakeLabel>(std::move(def), *this), false);
}

Button& FakeWindow::addButton(ButtonDefinition def)
{
    const bool isDefault = def.isDefault;
    FakeButton& button = adopt(std::make_unique<FakeButton>(std::move(def), *this), true);
    if (isDefault) defaultButton_ = &button;
    return button;
}

ComboBox& FakeWindow::addComboBox(ComboDefinition def)
{
    return adopt(std::make_unique<FakeComboBox>(std::move(def), *this), true);
}

TextField& FakeWindow::addTextField(TextFieldDefinition def)
{
    const std::string label = def.label;
    return adopt(std::make_unique<FakeTextField>(std::move(def), *this), true, label);
}

PictureBox& FakeWindow::addPicture(PictureDefinition def)
{
    return adopt(std::make_unique<FakePictureBox>(std::move(def), *this), false);
}

Timer& FakeWindow::addTimer(TimerDefinition def)
{
    timers_.push_back(std::make_unique<FakeTimer>(std::move(def), platform_));
    return *timers_.back();
}

Menu& FakeWindow::addPopupMenu(MenuDefinition def)
{
    menus_.push_back(std::make_unique<FakeMenu>(std::move(def)));
    return *menus_.back();
}

void FakeWindow::show()
{
    require(!destroyed_, "show on a destroyed window");
    shown_ = true;
    if (!std::exchange(shownOnce_, true)) pressTab();
}

void FakeWindow::destroy()
{
    destroyed_ = true;
    shown_ = false;
    focus_ = nullptr;
    defaultButton_ = nullptr;
    for (auto& timer : timers_) timer->stopForGood();
}

void FakeWindow::pressTab()
{
    const auto current = std::find_if(controls_.begin(), controls_.end(), [this](const auto& control) {
        return dynamic_cast<const Control*>(control.get()) == focus_;
    });
    const std::size_t from = current == controls_.end() ? controls_.size() - 1 : current - controls_.begin();
    for (std::size_t step = 1; step <= controls_.size(); ++step) {
        const auto& next = controls_[(from + step) % controls_.size()];
        if (next->takesFocus()) {
            focus_ = dynamic_cast<const Control*>(next.get());
            return;
        }
    }
}

void FakeWindow::pressEnter()
{
    const auto* focused = dynamic_cast<const FakeButton*>(focus_);
    const Button* pressed = focused ? focused : defaultButton_;
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<FakeButton*>(control.get());
        if (button && button == pressed && button->canClick()) button->click();
    }
}

void FakeWindow::focusLeaves(const Control* control)
{
    if (focus_ == control) pressTab();
    if (focus_ == control) focus_ = nullptr;
}

// Rounded as the Win32 adapter rounds, through the same functions.
double FakeWindow::inWholePixels(double twips) const
{
    const int dpi = platform_.dpi();
    return dpi ? pixelsToTwips(twipsToPixels(twips, dpi), dpi) : twips;
}

double FakeWindow::left() const { return left_; }
double FakeWindow::top() const { return top_; }
double FakeWindow::width() const { return width_; }
double FakeWindow::height() const { return height_; }

void FakeWindow::setLeft(double twips) { left_ = inWholePixels(twips); }
void FakeWindow::setTop(double twips) { top_ = inWholePixels(twips); }
void FakeWindow::setHeight(double twips)
{
    // Never below zero, nor below the minimum the window system keeps.
    twips = std::max(minimumHeight_, twips);
    height_ = inWholePixels(twips);
}

void FakeWindow::popupMenu(Menu& menu)
{
    auto& fakeMenu = static_cast<FakeMenu&>(menu);
    lastPopup_ = &fakeMenu;
    ++popupCount_;
    const std::string choice = std::exchange(nextChoice_, {});
    if (choice.empty()) return;
    for (const auto& item : fakeMenu.def().items) {
        if (item.name == choice) {
            if (item.onClick) item.onClick();
            return;
        }
    }
    throw std::logic_error("no menu item " + choice);
}

void FakeWindow::mouseDown(int buttons)
{
    require(takesInput(), "mouse press on a window no user could reach");
    platform_.handle([this, buttons] {
        if (def_.onMouseDown) def_.onMouseDown(buttons);
    });
}

void FakeWindow::click()
{
    require(takesInput(), "click on a window no user could reach");
    platform_.handle([this] {
        if (def_.onClick) def_.onClick();
    });
}

void FakeWindow::requestClose(CloseCause cause)
{
    require(!destroyed_, "close request to a destroyed window");
    require(cause != CloseCause::User || takesInput(), "user's close of a window a box holds");
    platform_.handle([this, cause] {
        if (def_.onCloseRequest) def_.onCloseRequest(cause);
    });
}

template <class T>
T& FakeWindow::find(const std::string& name)
{
    for (const auto& control : controls_) {
        auto* found = dynamic_cast<T*>(control.get());
        if (found && found->def().name == name) return *found;
    }
    throw std::logic_error("no control " + name + " in " + def_.caption);
}

FakeLabel& FakeWindow::label(const std::string& name) { return find<FakeLabel>(name); }
FakeButton& FakeWindow::button(const std::string& name) { return find<FakeButton>(name); }
FakeComboBox& FakeWindow::combo(const std::string& name) { return find<FakeComboBox>(name); }
FakeTextField& FakeWindow::field(const std::string& name) { return find<FakeTextField>(name); }
FakePictureBox& FakeWindow::picture(const std::string& name) { return find<FakePictureBox>(name); }

FakeTimer& FakeWindow::timer(const std::string& name)
{
    for (const auto& timer : timers_) {
        if (timer->def().name == name) return *timer;
    }
    throw std::logic_error("no timer " + name + " in " + def_.caption);
}

FakePlatform::FakePlatform() : services_{*this, *this, *this, *this, *this} {}

FakePlatform::~FakePlatform() = default;

std::unique_ptr<NativeWindow> FakePlatform::createWindow(WindowDefinition def)
{
    auto window = std::make_unique<FakeWindow>(std::move(def), *this);
    windows_.push_back(window.get());
    return window;
}

CommandStart FakePlatform::run(const CommandLine& command, CommandEnded onEnded)
{
    if (auto refusal = commandLineRefusal(command)) throw std::logic_error("the runner would refuse: " + *refusal);
    if (failWith) return {false, *failWith};
    commands.push_back(command.text());
    Ending ending;
    if (!endings.empty()) {
        ending = endings.front();
        endings.pop_front();
    }
    if (onEnded && !ending.never) {
        const CommandOutcome outcome{ending.exitCode,
                                     ending.exitCode ? "exit code " + std::to_string(ending.exitCode) : ""};
        pending_.push_back({now_ + ending.afterMs, [onEnded, outcome] { onEnded(outcome); }});
    }
    return {true, {}};
}

void FakePlatform::handle(const Callback& handler)
{
    {
        const Counted running(handlersRunning_);
        handler();
    }
    runPending(now_);
}

void FakePlatform::runPending(std::int64_t by)
{
    while (runNextPending(by)) {
    }
}

bool FakePlatform::runNextPending(std::int64_t by)
{
    if (handlersRunning_ > 0) return false;
    auto next = pending_.end();
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        if (it->due <= by && (next == pending_.end() || it->due < next->due)) next = it;
    }
    if (next == pending_.end()) return false;
    now_ = std::max(now_, next->due);
    Callback run = std::move(next->run);
    pending_.erase(next);
    const Counted running(handlersRunning_);
    run();
    return true;
}

MessageResult FakePlatform::show(const NativeWindow& owner, std::string_view prompt, MessageButtons buttons,
                                 std::optional<std::string_view> title)
{
    const auto& asking = static_cast<const FakeWindow&>(owner);
    messages.push_back({std::string(prompt), buttons,
                        title ? std::optional<std::string>(std::string(*title)) : std::nullopt, asking.def().caption});
    const bool ownerWasThere = !asking.destroyed();
    {
        const Counted open(openBoxes_);
        if (duringMessage) {
            auto during = std::exchange(duringMessage, {});
            during();
        }
    }
    if (ownerWasThere && asking.destroyed()) return unansweredBox(buttons);
    if (answers.empty()) return MessageResult::Ok;
    MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> FakePlatform::prompts() const
{
    std::vector<std::string> all;
    for (const auto& message : messages) all.push_back(message.prompt);
    return all;
}

int FakePlatform::tickUntilNoTimerRuns(int limit)
{
    for (int n = 0; n < limit; ++n) {
        if (!tick()) return n;
    }
    return -1;
}

FakeTimer* FakePlatform::nextDue(std::int64_t by) const
{
    FakeTimer* next = nullptr;
    for (FakeWindow* window : windows_) {
        for (const auto& timer : window->timers()) {
            if (timer->enabled() && timer->due() <= by && (!next || timer->due() < next->due())) next = timer.get();
        }
    }
    return next;
}

bool FakePlatform::timerAlive(const FakeTimer* timer) const
{
    return std::any_of(windows_.begin(), windows_.end(), [timer](FakeWindow* window) {
        return std::any_of(window->timers().begin(), window->timers().end(),
                           [timer](const auto& owned) { return owned.get() == timer; });
    });
}

bool FakePlatform::tick()
{
    FakeTimer* next = nextDue(std::numeric_limits<std::int64_t>::max());
    if (!next) return false;
    now_ = std::max(now_, next->due());
    next->fire();
    return true;
}

void FakePlatform::advance(std::int64_t ms)
{
    const std::int64_t end = now_ + ms;
    for (;;) {
        FakeTimer* next = nextDue(end);
        // What comes due before the next tick runs first.
        if (runNextPending(next ? next->due() - 1 : end)) continue;
        if (!next) break;
        now_ = std::max(now_, next->due());
        next->fire();
    }
    // A box opened on the way may have let time pass beyond the end; the
    // clock never goes back.
    now_ = std::max(now_, end);
}

ScreenArea FakePlatform::workArea(const NativeWindow&) const
{
    if (monitor_) return toTwips(*monitor_, dpi_ ? dpi_ : 96);
    return {0, 0, screenWidth_, screenHeight_};
}

std::int64_t FakePlatform::monotonicMs() const
{
    const std::int64_t ms = 86'400'000 + now_;
    return ms - ms % granularity_;
}

void FakePlatform::jump(std::int64_t ms)
{
    now_ += ms;
    std::vector<FakeTimer*> due;
    for (FakeWindow* window : windows_) {
        for (const auto& timer : window->timers()) {
            if (timer->enabled() && timer->due() <= now_) due.push_back(timer.get());
        }
    }
    std::sort(due.begin(), due.end(), [](FakeTimer* a, FakeTimer* b) { return a->due() < b->due(); });
    for (FakeTimer* timer : due) {
        // An earlier tick may have stopped or destroyed it.
        if (timerAlive(timer) && timer->enabled()) timer->fire();
    }
    runPending(now_);
}

FakeWindow* FakePlatform::window(std::string_view caption) const
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (!(*it)->destroyed() && (*it)->def().caption == caption) return *it;
    }
    return nullptr;
}

void FakePlatform::windowGone(FakeWindow* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

}  // namespace kestrow::fake
