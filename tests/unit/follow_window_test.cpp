#include "follow_window/follow_window.h"
#include "platform/web_pages.h"
#include "tests/support/fake_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrow {
namespace {

constexpr const char* kFollow = "关注我们";

// Screen 1920 x 1080 pixels: the centred top is 8100 - 5385.
constexpr double kCentredTop = 2715;

class FollowTest : public ::testing::Test {
protected:
    fake::FakePlatform platform;
    LiveWindows live{platform};
    FormSlot<FollowWindow> slot{platform, [this] { return std::make_unique<FollowWindow>(platform.services(), live); }};

    FollowWindow& show() { return slot.show(); }
    fake::FakeWindow& follow() { return *platform.window(kFollow); }
    // Ticks until no timer runs; the count, or -1 if that never happens.
    int settle(int limit = 2000)
    {
        for (int n = 0; n < limit; ++n) {
            if (!platform.tick()) return n;
        }
        return -1;
    }
};

TEST_F(FollowTest, PlacedBelowTheCentreThenRisesIn12Steps)
{
    FollowWindow& form = show();
    EXPECT_EQ(follow().left(), 28800 / 2.0 - 8325);
    EXPECT_EQ(follow().top(), kCentredTop + 1200);
    EXPECT_TRUE(follow().isShown());
    EXPECT_FALSE(form.Timer2->enabled());
    for (int step = 1; step <= 12; ++step) {
        platform.tick();
        ASSERT_EQ(follow().top(), kCentredTop + 1200 - 100.0 * step);
    }
    EXPECT_TRUE(form.Timer1->enabled());
    platform.tick();
    EXPECT_FALSE(form.Timer1->enabled());
    EXPECT_EQ(follow().top(), kCentredTop);
}

TEST_F(FollowTest, BackgroundClickSlidesAwayAndUnloads)
{
    FollowWindow& form = show();
    ASSERT_EQ(settle(), 13);
    follow().click();
    EXPECT_TRUE(form.Timer2->enabled());
    for (int step = 1; step <= 12; ++step) {
        platform.tick();
        ASSERT_EQ(follow().top(), kCentredTop - 100.0 * step);
        if (step == 6) follow().click();  // a second click changes nothing
    }
    ASSERT_NE(slot.get(), nullptr);
    platform.tick();
    EXPECT_EQ(slot.get(), nullptr);
    EXPECT_TRUE(platform.windows().empty());
    EXPECT_TRUE(platform.quitRequested());
}

TEST_F(FollowTest, PixelRoundingStillEnds)
{
    for (int dpi : {96, 120, 144}) {
        fake::FakePlatform p;
        p.setDpi(dpi);
        LiveWindows l(p);
        FormSlot<FollowWindow> s(p, [&] { return std::make_unique<FollowWindow>(p.services(), l); });
        s.show();
        const double centred = p.screenHeight() / 2 - 5385;
        int ticks = 0;
        while (p.tick() && ticks < 100) ++ticks;
        ASSERT_LT(ticks, 100) << dpi;
        EXPECT_LE(p.window(kFollow)->top(), centred) << dpi;
        p.window(kFollow)->click();
        ticks = 0;
        while (p.tick() && ticks < 100) ++ticks;
        EXPECT_LT(ticks, 100) << dpi;
        EXPECT_EQ(s.get(), nullptr) << dpi;
    }
}

TEST_F(FollowTest, EachPictureOpensItsPage)
{
    const std::vector<std::pair<std::string, std::string_view>> cases{
        {"Picture1", pages::kBilibiliSpace}, {"Picture2", pages::kYoukuChannel}, {"Picture3", pages::kWeChatAccount},
        {"Picture4", pages::kQQGroup},       {"Picture5", pages::kTudouChannel}, {"Picture6", pages::kTiebaForum},
    };
    FollowWindow& form = show();
    ASSERT_EQ(settle(), 13);
    for (const auto& [name, address] : cases) {
        platform.commands.clear();
        follow().picture(name).click();
        follow().picture(name).click();
        const std::string command = "explorer.exe " + std::string(address);
        EXPECT_EQ(platform.commands, (std::vector<std::string>{command, command}))
            << name;
        EXPECT_TRUE(follow().picture(name).def().handCursor) << name;
    }
    EXPECT_EQ(follow().picture("Picture3").def().tooltip, "手机微信扫一扫");
    EXPECT_EQ(follow().picture("Picture4").def().tooltip, "手机QQ扫一扫");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(form.Timer2->enabled()) << "a picture click starts no animation";
}

// A click during the opening, then a show while closing.
TEST_F(FollowTest, ShowingWhileClosingRestartsNothing)
{
    FollowWindow& form = show();
    for (int i = 0; i < 5; ++i) platform.tick();
    follow().click();
    platform.tick();
    EXPECT_EQ(&show(), &form);
    EXPECT_EQ(follow().top(), kCentredTop + 600);
    EXPECT_TRUE(form.Timer2->enabled());
    EXPECT_GE(settle(), 0);
    EXPECT_EQ(slot.get(), nullptr);
}

}  // namespace
}  // namespace kestrow
