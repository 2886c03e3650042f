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

}  // namespace

void FakeLabel::click()
{
    require(visible_, "click on hidden label " + def_.name);
    if (def_.onClick) def_.onClick();
}

void FakeButton::makeDefault() { window_.setDefaultButton(this); }

void FakeButton::click()
{
    require(canClick(), "click on hidden or disabled button " + def_.name);
    if (def_.onClick) def_.onClick();
    window_.eventHandled();
}

void FakeTextField::setText(std::string_view t)
{
    text_ = std::string(t);
    if (def_.onChange) def_.onChange();
}

void FakeTextField::setFocus() { window_.setFocus(this); }
bool FakeTextField::hasFocus() const { return window_.focus() == this; }

void FakeTextField::type(std::string_view t)
{
    require(enabled_ && visible_, "typing into disabled field " + def_.name);
    setText(t);
}

void FakePictureBox::click()
{
    require(visible_, "click on hidden picture " + def_.name);
    if (def_.onClick) def_.onClick();
}

FakeTimer::FakeTimer(TimerDefinition def, FakePlatform& platform) : def_(std::move(def)), platform_(platform)
{
    platform_.timerCreated(this);
    setEnabled(def_.enabled);
}

void FakeTimer::arm()
{
    if (refuseWith) {
        failure_ = *refuseWith;
        enabled_ = false;
        return;
    }
    failure_.clear();
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
    if (def_.onTick) def_.onTick();
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

FakeWindow::~FakeWindow()
{
    for (auto& timer : ownedTimers_) platform_.timerGone(timer.get());
    platform_.windowGone(this);
}

// Windows' Tab follows the order controls are made in, and screen readers
// name a field after the label made just before it.
void FakeWindow::made(const ControlDefinition& def, bool tabStop, const std::string& namedBy)
{
    if (tabStop && def.tabIndex >= 0) {
        require(def.tabIndex > lastTabStop_, "tab stop " + def.name + " made out of tab order");
        lastTabStop_ = def.tabIndex;
    }
    require(namedBy.empty() || namedBy == lastMade_, "field " + def.name + " not made right after its label");
    lastMade_ = def.name;
}

Label& FakeWindow::addLabel(LabelDefinition def)
{
    made(def, false);
    auto name = def.name;
    ownedLabels_.push_back(std::make_unique<FakeLabel>(std::move(def)));
    return *(labels_[name] = ownedLabels_.back().get());
}

Button& FakeWindow::addButton(ButtonDefinition def)
{
    made(def, true);
    auto name = def.name;
    const bool isDefault = def.isDefault;
    ownedButtons_.push_back(std::make_unique<FakeButton>(std::move(def), *this));
    FakeButton* button = ownedButtons_.back().get();
    if (isDefault) defaultButton_ = button;
    return *(buttons_[name] = button);
}

ComboBox& FakeWindow::addComboBox(ComboDefinition def)
{
    made(def, true);
    auto name = def.name;
    ownedCombos_.push_back(std::make_unique<FakeComboBox>(std::move(def)));
    return *(combos_[name] = ownedCombos_.back().get());
}

TextField& FakeWindow::addTextField(TextFieldDefinition def)
{
    made(def, true, def.label);
    auto name = def.name;
    const int tab = def.tabIndex;
    ownedFields_.push_back(std::make_unique<FakeTextField>(std::move(def), *this));
    FakeTextField* field = ownedFields_.back().get();
    // The first control in the focus order takes the focus.
    if (tab == 0) focus_ = field;
    return *(fields_[name] = field);
}

PictureBox& FakeWindow::addPicture(PictureDefinition def)
{
    made(def, false);
    auto name = def.name;
    ownedPictures_.push_back(std::make_unique<FakePictureBox>(std::move(def)));
    return *(pictures_[name] = ownedPictures_.back().get());
}

Timer& FakeWindow::addTimer(TimerDefinition def)
{
    auto name = def.name;
    ownedTimers_.push_back(std::make_unique<FakeTimer>(std::move(def), platform_));
    return *(timers_[name] = ownedTimers_.back().get());
}

Menu& FakeWindow::addPopupMenu(MenuDefinition def)
{
    auto name = def.name;
    ownedMenus_.push_back(std::make_unique<FakeMenu>(std::move(def)));
    return *(menus_[name] = ownedMenus_.back().get());
}

void FakeWindow::show()
{
    require(!destroyed_, "show on a destroyed window");
    shown_ = true;
}

void FakeWindow::destroy()
{
    destroyed_ = true;
    shown_ = false;
    // A destroyed window's timers stop with it.
    for (auto& timer : ownedTimers_) timer->setEnabled(false);
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
    if (def_.onMouseDown) def_.onMouseDown(buttons);
    platform_.runPosted();
}

void FakeWindow::eventHandled() { platform_.runPosted(); }

void FakeWindow::click()
{
    if (def_.onClick) def_.onClick();
    platform_.runPosted();
}

void FakeWindow::requestClose(CloseCause cause)
{
    require(!destroyed_, "close request to a destroyed window");
    if (def_.onCloseRequest) def_.onCloseRequest(cause);
    platform_.runPosted();
}

template <class T>
T& FakeWindow::find(std::map<std::string, T*>& controls, const std::string& name)
{
    auto it = controls.find(name);
    require(it != controls.end(), "no control " + name + " in " + def_.caption);
    return *it->second;
}

FakeLabel& FakeWindow::label(const std::string& name) { return find(labels_, name); }
FakeButton& FakeWindow::button(const std::string& name) { return find(buttons_, name); }
FakeComboBox& FakeWindow::combo(const std::string& name) { return find(combos_, name); }
FakeTextField& FakeWindow::field(const std::string& name) { return find(fields_, name); }
FakePictureBox& FakeWindow::picture(const std::string& name) { return find(pictures_, name); }
FakeTimer& FakeWindow::timer(const std::string& name) { return find(timers_, name); }

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
        dueEndings_.push_back({now_ + ending.afterMs, [onEnded, outcome] { onEnded(outcome); }});
    }
    return {true, {}};
}

// The earliest command end due by `end`, taken out of the list; empty if none.
Callback FakePlatform::takeEnding(std::int64_t end)
{
    auto next = dueEndings_.end();
    for (auto it = dueEndings_.begin(); it != dueEndings_.end(); ++it) {
        if (it->due <= end && (next == dueEndings_.end() || it->due < next->due)) next = it;
    }
    if (next == dueEndings_.end()) return {};
    Callback tell = std::move(next->tell);
    now_ = std::max(now_, next->due);
    dueEndings_.erase(next);
    return tell;
}

MessageResult FakePlatform::show(const NativeWindow& owner, std::string_view prompt, MessageButtons buttons,
                                 std::optional<std::string_view> title)
{
    messages.push_back({std::string(prompt), buttons,
                        title ? std::optional<std::string>(std::string(*title)) : std::nullopt,
                        static_cast<const FakeWindow&>(owner).def().caption});
    if (duringMessage) {
        auto during = std::exchange(duringMessage, {});
        during();
    }
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
    for (FakeTimer* timer : timers_) {
        if (timer->enabled() && timer->due() <= by && (!next || timer->due() < next->due())) next = timer;
    }
    return next;
}

bool FakePlatform::tick()
{
    FakeTimer* next = nextDue(std::numeric_limits<std::int64_t>::max());
    if (!next) return false;
    now_ = std::max(now_, next->due());
    next->fire();
    runPosted();
    return true;
}

void FakePlatform::advance(std::int64_t ms)
{
    const std::int64_t end = now_ + ms;
    for (;;) {
        FakeTimer* next = nextDue(end);
        // A command's end due before the next tick is told first.
        if (Callback tell = takeEnding(next ? next->due() - 1 : end)) {
            tell();
            runPosted();
            continue;
        }
        if (!next) break;
        now_ = std::max(now_, next->due());
        next->fire();
        runPosted();
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
    for (FakeTimer* timer : timers_) {
        if (timer->enabled() && timer->due() <= now_) due.push_back(timer);
    }
    std::sort(due.begin(), due.end(), [](FakeTimer* a, FakeTimer* b) { return a->due() < b->due(); });
    for (FakeTimer* timer : due) {
        // An earlier tick may have stopped or destroyed it.
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end() || !timer->enabled()) continue;
        timer->fire();
        runPosted();
    }
}

// After each event: posted callbacks, and the ends of commands due by now.
void FakePlatform::runPosted()
{
    for (;;) {
        if (!posted_.empty()) {
            Callback callback = std::move(posted_.front());
            posted_.pop_front();
            callback();
        } else if (Callback tell = takeEnding(now_)) {
            tell();
        } else {
            return;
        }
    }
}

FakeWindow* FakePlatform::window(std::string_view caption) const
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (!(*it)->destroyed() && (*it)->def().caption == caption) return *it;
    }
    return nullptr;
}

void FakePlatform::timerGone(FakeTimer* timer)
{
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void FakePlatform::windowGone(FakeWindow* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

}  // namespace kestrow::fake
