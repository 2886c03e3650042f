// The contract's driver over the in-memory platform.
#pragma once

#include "tests/contract/platform_driver.h"
#include "tests/support/fake_platform.h"

namespace kestrow::contract {

class FakeDriver final : public PlatformDriver {
public:
    Services& services() override { return platform_.services(); }
    void letTimePass(int ms) override { platform_.advance(ms); }
    void letCommandsEnd() override { platform_.advance(1000); }
    void duringNextBox(Callback inside, MessageResult answer) override
    {
        platform_.answers.assign(1, answer);
        platform_.duringMessage = std::move(inside);
    }

    // No user clicks what they could not reach.
    void click(Control& control) override
    {
        if (auto* button = dynamic_cast<fake::FakeButton*>(&control); button && button->canClick()) button->click();
        if (auto* label = dynamic_cast<fake::FakeLabel*>(&control); label && label->canClick()) label->click();
    }
    void clickBackground(NativeWindow& window, int buttons) override
    {
        fake(window).mouseDown(buttons);
        if (buttons == mouse::left) fake(window).click();
    }
    void pressTab(NativeWindow& window) override { fake(window).pressTab(); }
    void pressEnter(NativeWindow& window) override { fake(window).pressEnter(); }
    bool hasFocus(const Control& control) override
    {
        for (fake::FakeWindow* window : platform_.windows()) {
            if (window->focus() == &control) return true;
        }
        return false;
    }

    void requestClose(NativeWindow& window, CloseCause cause) override { fake(window).requestClose(cause); }

    Timer& refusableTimer(NativeWindow& window, TimerDefinition def) override
    {
        timer_ = &static_cast<fake::FakeTimer&>(window.addTimer(std::move(def)));
        return *timer_;
    }
    void refuseTimers() override { timer_->refuseWith = "存储空间不足。"; }

private:
    static fake::FakeWindow& fake(NativeWindow& window) { return static_cast<fake::FakeWindow&>(window); }

    fake::FakePlatform platform_;
    fake::FakeTimer* timer_ = nullptr;
};

}  // namespace kestrow::contract
