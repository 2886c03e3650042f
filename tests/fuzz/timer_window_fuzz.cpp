// Drives the timer window through the in-memory platform with random user
// actions and checks, after every step, the invariants its handlers keep
// between them: numeric fields, one button on the shared spot, the unlock
// guard, the countdown timer only behind a shown stop button, the fields
// showing the time left to the deadline however the clock jumps, and no
// command line that would hand the shutdown tool a delay it cannot take.
#include "platform/numbers.h"
#include "tests/support/shown_timer_window.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kestrow;
using Texts = std::vector<std::string>;

constexpr long long kMaxDelay = 315360000;  // ten years, the tool's limit
constexpr std::array<double, 4> kSecondsPer{86400, 3600, 60, 1};
const std::array<const char*, 4> kFields{"Text1", "Text2", "Text3", "Text4"};
// clang-format off: the lists keep their lines
const std::array<const char*, 7> kButtons{"Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
                                          "Command7"};
const Texts kTexts{"0", "1", "59", "60", "23", "24", "-1", "1.5", "1,5", "1E5", "1E9", "15E", "abc", "", " 7 ", "+2",
                   "0.3", "1e400", "-0", ".5", "5.", "2,", "12", "23.5", "1E-400", "\t3\t", "3650", "3651", "1E15",
                   "315360000", "0.00001", "1.00001", "1.7976931348623157E308", "99999999999999999999", "１２"};
// clang-format on
const Texts kActions{"关机", "重启", "休眠", "注销", "关机 ", "Shutdown", ""};
const Texts kRunModes{"后台模式(推荐)", "前台模式(无弹窗)", "前台模式（无弹窗）", ""};

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "timer_window_fuzz: invariant broken: %s\n", what.c_str());
    std::abort();
}

std::string pick(FuzzedDataProvider& in, const Texts& dictionary)
{
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0: return in.ConsumeRandomLengthString(16);
    case 1: return std::string(in.ConsumeIntegralInRange<std::size_t>(1, 400), '9');
    case 2: return std::to_string(in.ConsumeIntegralInRange(0, 3));  // small values reach the borrows in few ticks
    default: return dictionary[in.ConsumeIntegralInRange<std::size_t>(0, dictionary.size() - 1)];
    }
}

std::string zeroCommand(const std::string& action)
{
    return action == "关机"   ? "shutdown -s -t 0"
           : action == "重启" ? "shutdown -r -t 0"
           : action == "休眠" ? "shutdown -h"
           : action == "注销" ? "shutdown -l"
                              : "";
}

bool isTickCommand(const std::string& c)
{
    return c == "shutdown -s -t 0" || c == "shutdown -r -t 0" || c == "shutdown -h" || c == "shutdown -l";
}

// The delay of a "-t" command line if it is plain digits within the tool's
// range; nullopt for a sign, point, exponent, leading zero or anything else.
std::optional<long long> delayOf(const std::string& c)
{
    for (const std::string prefix : {"shutdown -s -t ", "shutdown -r -t ", "shutdown  -t "}) {
        const std::string d = c.rfind(prefix, 0) == 0 ? c.substr(prefix.size()) : "";
        if (d.empty() || d.size() > 9 || (d.size() > 1 && d[0] == '0') || d.find_first_not_of("0123456789") != d.npos)
            continue;
        if (std::stoll(d) <= kMaxDelay) return std::stoll(d);
    }
    return std::nullopt;
}

struct Harness : ShownTimerWindow {
    std::string sep;
    std::size_t seen = 0, verified = 0;
    std::int64_t startedAt = 0;  // test clock and fields' total at the running countdown's start
    double startTotal = 0;

    std::string text(const char* name) { return fw.field(name).text(); }
    double val(const char* name) { return numbers::value(text(name), sep).value_or(NAN); }
    bool timerOn() { return fw.timer("Timer1").enabled(); }
    bool refusing() { return bool(fw.timer("Timer1").refuseWith); }
    double fieldsTotal()
    {
        double sum = 0;
        for (std::size_t i = 0; i < 4; ++i) sum += val(kFields[i]) * kSecondsPer[i];
        return sum;
    }
    double secondsSinceStart() { return static_cast<double>((platform.now() - startedAt) / 1000); }
    bool timePoint() { return fw.label("Label1").caption() == "预定"; }
    // Refusals Windows has reported so far. One can put the window back to
    // its idle state at any event, which no tick model foresees.
    std::size_t refusals()
    {
        return static_cast<std::size_t>(std::count_if(platform.messages.begin(), platform.messages.end(), [](auto& m) {
            return m.prompt.rfind("命令执行失败：", 0) == 0;
        }));
    }
    // Commands since the last call; those of ticks that ran inside a message
    // box are dropped when the step let ticks in.
    Texts newCommands(bool ticked)
    {
        Texts fresh(platform.commands.begin() + static_cast<long>(seen), platform.commands.end());
        seen = platform.commands.size();
        if (ticked) std::erase_if(fresh, isTickCommand);
        return fresh;
    }

    void check(const char* step)
    {
        auto need = [&](bool ok, const char* what) {
            if (!ok) fail(std::string(what) + " (after " + step + ")");
        };
        for (const char* f : kFields)
            if (!numbers::value(text(f), sep) && text(f) != "0") fail(std::string(f) + " not numeric: " + text(f));
        const bool c1 = button("Command1").visible(), c2 = button("Command2").visible();
        const bool c5 = button("Command5").visible(), tp = timePoint();
        need(c1 + c2 + c5 <= 1, "more than one of Command1, Command2, Command5 shown");
        need(w.unlockClicks >= 0 && w.unlockClicks <= 3, "unlockClicks out of 0..3");
        need(button("Command2").enabled() == (w.unlockClicks == 3), "Command2 enabled off the unlock count");
        need((button("Command4").caption() == "锁定") == button("Command2").enabled(), "Command4 caption off the lock");
        need(!timerOn() || (c2 && !tp), "Timer1 on without the stop button or in time-point mode");
        need(!timerOn() || fieldsTotal() == startTotal - secondsSinceStart(),
             "fields off the time left to the deadline");
        const CountdownProgress progress = fw.progress();
        need(timerOn() ? progress.state == CountdownProgress::State::Running &&
                             progress.shareLeft == (startTotal > 0 ? fieldsTotal() / startTotal : 0)
                       : progress.state == CountdownProgress::State::None,
             "taskbar progress off the countdown");
        need(tp || fw.label("Label1").caption() == "距离", "Label1 is no mode");
        need(!(c1 && tp) && !(c5 && !tp), "start or schedule button in the other mode");
        need(!(button("Command6").enabled() && tp) && !(button("Command7").enabled() && !tp), "mode buttons off");
        if (c2) {
            for (const char* f : kFields) need(!fw.field(f).enabled(), "field editable while running or scheduled");
            need(!fw.combo("Combo1").enabled() && !fw.combo("Combo2").enabled(), "list editable while running");
            need(!button("Command6").enabled() && !button("Command7").enabled(), "mode button usable while running");
            need(button("Command2").caption() == (tp ? "取消!" : "停止!"), "stop button caption off the mode");
        }
        need(fw.combo("Combo2").visible() == button("Command4").visible(), "settings row half shown");
        need(button("Command3").canClick(), "settings button unusable");
        for (; verified < platform.commands.size(); ++verified) {
            const std::string& c = platform.commands[verified];
            if (c != "shutdown -a" && !isTickCommand(c) && !delayOf(c))
                fail("bad command line: " + c + " after " + step);
        }
    }

    // An advance of at most a second fires Timer1 at most once; a tick only
    // counts a field down by one or refills it, and stops exactly at zero.
    void advance(std::int64_t ms)
    {
        const bool wasOn = timerOn();
        const auto due = fw.timer("Timer1").due();
        std::array<double, 4> before{};
        for (std::size_t i = 0; i < 4; ++i) before[i] = val(kFields[i]);
        const std::string action = fw.combo("Combo1").text();
        const auto refused = refusals();
        platform.advance(ms);
        check("tick");
        const auto fresh = newCommands(false);
        if (refusals() != refused) return;
        const bool fired = wasOn && fw.timer("Timer1").due() != due;
        for (std::size_t i = 0; i < 4; ++i) {
            const double now = val(kFields[i]), o = before[i];
            const bool down = std::fabs(now - (o - 1)) <= 1e-9 * std::fmax(1, std::fabs(o));
            // A borrowed day gives the hours 23 or 24, depending on how the
            // borrow is counted; minutes and seconds refill to 59.
            const bool refill = i > 0 && (now == 59 || (i == 1 && (now == 23 || now == 24)));
            if (now != o && !(fired && (down || refill)))
                fail(std::string("tick moved ") + kFields[i] + " from " + numbers::toText(o) + " to " +
                     text(kFields[i]));
        }
        if (!fired) return fresh.empty() ? void() : fail("command without a tick");
        checkEnd(action, fresh);
    }

    // A stall or a sleep: one merged tick catches up with the clock.
    void jump(std::int64_t ms)
    {
        const bool wasOn = timerOn();
        const auto due = fw.timer("Timer1").due();
        const std::string action = fw.combo("Combo1").text();
        const auto refused = refusals();
        platform.jump(ms);
        check("jump");
        const auto fresh = newCommands(false);
        if (refusals() != refused) return;
        if (wasOn && fw.timer("Timer1").due() != due) return checkEnd(action, fresh);
        if (!fresh.empty()) fail("command from a jump without a tick");
    }

    // After a tick: the countdown stops exactly at zero, not before the
    // deadline, with the action's command; or the system took its timer.
    void checkEnd(const std::string& action, const Texts& fresh)
    {
        const bool zero = val("Text1") == 0 && val("Text2") == 0 && val("Text3") == 0 && val("Text4") == 0;
        if (timerOn() == zero && !(refusing() && !zero))
            fail(zero ? "countdown at zero still ticking" : "countdown stopped before zero");
        if (zero && secondsSinceStart() < std::max(startTotal, 1.0)) fail("action before the deadline");
        const std::string expected = zeroCommand(action);
        const bool runs = zero && !expected.empty() && !platform.failWith;
        if (fresh.size() != (runs ? 1u : 0u) || (runs && fresh[0] != expected))
            fail("wrong commands at zero: " + action);
    }

    void click(const char* name)
    {
        const std::string n = name, action = fw.combo("Combo1").text();
        const bool foreground = fw.combo("Combo2").text() == "前台模式(无弹窗)", pending = bool(platform.duringMessage);
        // The whole countdown in seconds while every field is whole and not
        // negative, as a start in background mode hands it over; else -1.
        double total = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const double v = val(kFields[i]);
            total = v >= 0 && v == std::floor(v) && total >= 0 ? total + v * kSecondsPer[i] : -1;
        }
        const double hv = val("Text2"), mv = val("Text3"), sv = val("Text4");
        const bool wasOn = timerOn();
        // How the next command ends: at once and well unless scripted.
        const auto ending = platform.endings.empty() ? fake::FakePlatform::Ending{} : platform.endings.front();
        const bool abortGoesThrough = ending.afterMs == 0 && !ending.never &&
                                      (ending.exitCode == 0 || ending.exitCode == shutdown_exit::kNoShutdownInProgress);
        button(name).click();
        const bool ticked = pending && !platform.duringMessage, works = !platform.failWith;
        // The countdown starts inside the click, where the timer starts; a box
        // opened after it may have let ticks take seconds off meanwhile.
        if (!wasOn && timerOn()) startedAt = fw.timer("Timer1").runningSince(), startTotal = total;
        check(name);
        const auto fresh = newCommands(ticked);
        if (n == "Command2" && works) {
            if (fresh != Texts{"shutdown -a"}) fail("stop did not run shutdown -a once");
            if (timerOn()) fail("stop left the countdown running");
            if (button("Command2").visible() == abortGoesThrough) fail("stop shown off what Windows said of the abort");
        } else if (n == "Command1" && works && !ticked) {
            const bool hands = !foreground && (action == "关机" || action == "重启");
            if (!hands && !fresh.empty()) fail("start ran " + fresh[0]);
            const std::string want =
                (action == "关机" ? "shutdown -s -t " : "shutdown -r -t ") + numbers::toText(total);
            const Texts handed = refusing() ? Texts{want, "shutdown -a"} : Texts{want};
            if (hands && total >= 0 && total <= kMaxDelay && fresh != handed) fail("start did not run " + want);
            if (refusing() && timerOn()) fail("countdown without its timer");
        } else if (n == "Command5" && !fresh.empty()) {
            const auto delay = delayOf(fresh[0]);
            if (fresh.size() != 1 || !delay || *delay < 1) fail("schedule ran " + fresh[0]);
            auto clock = [](double v, double top) { return v >= 0 && v <= top && v == std::floor(v); };
            if (!clock(hv, 23) || !clock(mv, 59) || !clock(sv, 59)) fail("scheduled a time that is no clock reading");
        } else if (n != "Command1" && n != "Command5" && n != "Command2" && !fresh.empty()) {
            fail(n + " ran " + fresh[0]);
        }
    }

    void mouseDown(int buttons, const std::string& item)
    {
        const bool right = buttons & mouse::right, pending = bool(platform.duringMessage);
        const auto messages = platform.messages.size();
        const int about = aboutShown, popups = fw.popupCount();
        if (right) fw.choosePopupItem(item);
        fw.mouseDown(buttons);
        check("mouse down");
        if (fw.popupCount() != popups + right) fail("popup off the right button");
        // Behind it only what happened meanwhile: a tick inside it said that
        // its timer was taken back, or Windows refused a command.
        const bool helpShown =
            platform.messages.size() > messages &&
            (platform.messages[messages].prompt.find("按下“预定”") != std::string::npos) == timePoint() &&
            std::all_of(platform.messages.begin() + static_cast<long>(messages) + 1, platform.messages.end(),
                        [](const auto& m) {
                            return m.prompt.starts_with("无法启动计时器") || m.prompt.starts_with("命令执行失败：");
                        });
        if (right && item == "help" && !helpShown) fail("help text not of the current mode");
        if (aboutShown != about + (right && item == "about")) fail("about not shown once");
        const auto fresh = newCommands(pending && !platform.duringMessage);
        if (!fresh.empty()) fail("popup ran " + fresh[0]);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    Harness h;
    h.sep = in.ConsumeBool() ? "," : ".";
    h.platform.setDecimalSeparator(h.sep);
    auto setClock = [&] {
        h.platform.setTimeOfDay(in.ConsumeIntegralInRange(0, 23), in.ConsumeIntegralInRange(0, 59),
                                in.ConsumeIntegralInRange(0, 59));
    };
    setClock();
    h.check("load");
    std::int64_t budget = 200'000;  // ms of ticks per input
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 14)) {
        case 0: {
            auto& field = h.fw.field(in.PickValueInArray(kFields));
            const std::string typed = pick(in, kTexts);
            const int how = in.ConsumeIntegralInRange(0, 2);
            if (!field.enabled()) break;
            if (how == 0) field.type(typed), h.check("pasting");        // replaces the whole text
            for (std::size_t i = 0; how == 1 && i < typed.size(); ++i)  // key by key at the end
                field.type(field.text() + typed[i]), h.check("typing");
            if (how == 2) field.type(field.text().substr(0, field.text().size() - 1)), h.check("backspace");
            break;
        }
        case 1: {
            auto& list = h.fw.combo(in.ConsumeBool() ? "Combo1" : "Combo2");
            const std::string typed = pick(in, list.def().name == "Combo1" ? kActions : kRunModes);
            if (list.enabled() && list.visible()) list.setText(typed), h.check("setting a list text");
            break;
        }
        case 2:
        case 3: {
            std::vector<const char*> usable;
            for (const char* b : kButtons)
                if (h.button(b).canClick()) usable.push_back(b);
            h.click(usable[in.ConsumeIntegralInRange<std::size_t>(0, usable.size() - 1)]);
            break;
        }
        case 4:  // Enter presses the default button, if a user could press it
            for (const char* b : kButtons) {
                if (h.fw.defaultButton() == &h.button(b) && h.button(b).canClick()) {
                    h.click(b);
                    break;
                }
            }
            break;
        case 5:
        case 6:
            for (int n = in.ConsumeIntegralInRange(1, 60); n > 0 && budget > 0; --n) {
                const std::int64_t ms = in.ConsumeBool() ? 1000 : in.ConsumeIntegralInRange(1, 999);
                budget -= ms;
                h.advance(ms);
            }
            break;
        case 7: setClock(); break;
        case 8:
            h.mouseDown(in.ConsumeIntegralInRange(1, 7), in.PickValueInArray<std::string>({"", "help", "about"}));
            break;
        case 9: h.platform.answers.push_back(in.ConsumeBool() ? MessageResult::Ok : MessageResult::Cancel); break;
        case 10:
            h.platform.failWith = h.platform.failWith ? std::nullopt : std::optional<std::string>("拒绝访问。");
            break;
        case 11: {
            if (in.ConsumeBool()) {  // ticks go on while the next message box is open
                const std::int64_t ms = 1000 * in.ConsumeIntegralInRange(1, 5);
                if (budget >= ms) budget -= ms, h.platform.duringMessage = [&h, ms] { h.platform.advance(ms); };
                break;
            }
            h.fw.requestClose();
            h.platform.advance(5000);
            if (h.live.count() != 0 || !h.platform.quitRequested()) fail("closing left the program running");
            if (!h.newCommands(false).empty()) fail("closing ran a command");
            return 0;
        }
        case 12: {
            auto& refuse = h.fw.timer("Timer1").refuseWith;
            refuse = refuse ? std::nullopt : std::optional<std::string>("存储空间不足。");
            break;
        }
        case 13:  // up to a few seconds of stall or hours asleep
            h.jump(in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 5000) : in.ConsumeIntegralInRange(1, 10'000'000));
            break;
        case 14:  // how Windows answers the next command: at once, late or never
            h.platform.endings.push_back({in.PickValueInArray<std::uint32_t>({0, 5, 1116, 1190}),
                                          in.PickValueInArray<std::int64_t>({0, 300, 1500, 20'000}), in.ConsumeBool()});
            break;
        }
    }
    return 0;
}
