#include "tests/support/in_memory_program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kestrow {
namespace {

// Screen 1920 x 1080 pixels: the centred top is 8100 - 5385.
constexpr double kCentredTop = 2715;

class FollowTest : public ::testing::Test, protected InMemoryProgram {
protected:
    FollowWindow& show() { return program.follow().show(); }
    fake::FakeWindow& follow() { return *followWindow(); }
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
    ASSERT_EQ(platform.tickUntilNoTimerRuns(), 13);
    follow().click();
    EXPECT_TRUE(form.Timer2->enabled());
    for (int step = 1; step <= 12; ++step) {
        platform.tick();
        ASSERT_EQ(follow().top(), kCentredTop - 100.0 * step);
        if (step == 6) follow().click();  // a second click changes nothing
    }
    ASSERT_NE(program.follow().get(), nullptr);
    platform.tick();
    EXPECT_EQ(program.follow().get(), nullptr);
    EXPECT_TRUE(platform.windows().empty());
}

TEST_F(FollowTest, PixelRoundingStillEnds)
{
    for (int dpi : {96, 120, 144}) {
        InMemoryProgram r;
        r.platform.setDpi(dpi);
        r.program.follow().show();
        ASSERT_GE(r.platform.tickUntilNoTimerRuns(100), 0) << dpi;
        EXPECT_LE(r.followWindow()->top(), kCentredTop) << dpi;
        r.followWindow()->click();
        EXPECT_GE(r.platform.tickUntilNoTimerRuns(100), 0) << dpi;
        EXPECT_EQ(r.program.follow().get(), nullptr) << dpi;
    }
}

// What ZBar's zbarimg reads in a picture file; empty if nothing.
std::string decodeQr(const std::string& file)
{
    std::string text;
    if (FILE* pipe = popen(("zbarimg -q --raw '" + file + "' 2>/dev/null").c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
        pclose(pipe);
    }
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// Each click opens the address that the picture's own QR code holds, read
// back from the file kestrow.rc compiles in for it.
TEST_F(FollowTest, EachPictureOpensTheAddressItsCodeHolds)
{
#ifdef _WIN32
    GTEST_SKIP() << "zbarimg is the Linux host's: the native run reads the pictures";
#endif
    ASSERT_EQ(std::system("command -v zbarimg >/dev/null"), 0) << "zbarimg is missing (Debian: zbar-tools)";
    struct Case {
        std::string name;
        Picture picture;
        std::string file;
    };
    const std::vector<Case> cases{
        {"Picture1", Picture::Bilibili, "bilibili.png"}, {"Picture2", Picture::Youku, "youku.png"},
        {"Picture3", Picture::WeChat, "wechat.png"},     {"Picture4", Picture::QQGroup, "qqgroup.png"},
        {"Picture5", Picture::Tudou, "tudou.png"},       {"Picture6", Picture::Tieba, "tieba.png"},
    };
    FollowWindow& form = show();
    ASSERT_EQ(platform.tickUntilNoTimerRuns(), 13);
    for (const Case& c : cases) {
        platform.commands.clear();
        follow().picture(c.name).click();
        follow().picture(c.name).click();
        const std::string address = decodeQr(KESTROW_RESOURCES_DIR "/" + c.file);
        ASSERT_TRUE(address.starts_with("https://")) << c.file << " holds '" << address << "'";
        EXPECT_EQ(platform.commands, (std::vector<std::string>{"explorer.exe " + address, "explorer.exe " + address}))
            << c.name;
        EXPECT_EQ(follow().picture(c.name).def().picture, c.picture) << c.name;
        EXPECT_TRUE(follow().picture(c.name).def().handCursor) << c.name;
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
    EXPECT_GE(platform.tickUntilNoTimerRuns(), 0);
    EXPECT_EQ(program.follow().get(), nullptr);
}

}  // namespace
}  // namespace kestrow
