#include "about_window/about_window.h"
#include "follow_window/follow_window.h"
#include "platform/web_pages.h"
#include "tests/support/fake_platform.h"
#include "app/program.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrow {
namespace {

constexpr const char* kAbout = "关于";
constexpr const char* kFollow = "关注我们";

// Ticks until no timer runs; the count, or -1 if that never happens.
int settle(fake::FakePlatform& platform, int limit = 2000)
{
    for (int n = 0; n < limit; ++n) {
        if (!platform.tick()) return n;
    }
    return -1;
}

class AboutTest : public ::testing::Test {
protected:
    // The program supplies the slots; the timer window stays unloaded, so
    // the About and follow windows are the only ones counted.
    fake::FakePlatform platform;
    Program program{platform.services()};

    AboutWindow& show() { return program.about().show(); }
    fake::FakeWindow& about() { return *platform.window(kAbout); }
    int settle() { return kestrow::settle(platform); }
    void openFully()
    {
        show();
        ASSERT_GE(settle(), 0);
    }
};

TEST_F(AboutTest, LoadCollapsesAndCentresForTheNominalSize)
{
    struct Case {
        double screenWidth, screenHeight, left, top;
    };
    for (const Case& c : std::vector<Case>{
             {28800, 16200, 11130, 6022.5},
             {6000, 4000, -270, -77.5},  // smaller than the window: no clamping
         }) {
        fake::FakePlatform p;
        p.setScreen(c.screenWidth, c.screenHeight);
        Program prog(p.services());
        AboutWindow& form = prog.about().show();
        fake::FakeWindow& w = *p.window(kAbout);
        EXPECT_EQ(w.left(), c.left);
        EXPECT_EQ(w.top(), c.top);
        EXPECT_EQ(w.height(), 0);
        EXPECT_TRUE(w.isShown());
        EXPECT_EQ(w.label("Label6").caption(), "V1.0.0-2017.1");
        EXPECT_TRUE(form.Timer1->enabled());
        EXPECT_FALSE(form.Timer2->enabled());
    }
}

TEST_F(AboutTest, OpensIn21StepsAndStopsAtThe22ndTick)
{
    AboutWindow& form = show();
    for (int step = 1; step <= 21; ++step) {
        ASSERT_TRUE(platform.tick());
        ASSERT_EQ(about().height(), 200.0 * step);
    }
    EXPECT_TRUE(form.Timer1->enabled());
    platform.tick();
    EXPECT_FALSE(form.Timer1->enabled());
    EXPECT_EQ(about().height(), 4200);
    EXPECT_FALSE(platform.tick());
}

TEST_F(AboutTest, UserCloseShrinksAndUnloadsAtThe19thTick)
{
    openFully();
    about().requestClose(CloseCause::User);
    ASSERT_NE(program.about().get(), nullptr);
    for (int step = 1; step <= 18; ++step) {
        platform.tick();
        ASSERT_EQ(about().height(), 4200 - 200.0 * step);
    }
    platform.tick();
    EXPECT_EQ(platform.window(kAbout), nullptr);
    EXPECT_EQ(program.about().get(), nullptr);
    EXPECT_TRUE(platform.quitRequested());
}

// A title bar and frame as high as the close limit or higher (a large caption
// size): the close ends at the first step that leaves the window no lower.
TEST_F(AboutTest, CloseEndsAtAMinimumHeightTheWindowSystemKeeps)
{
    for (double minimum : {600.0, 705.0}) {
        openFully();
        about().setMinimumHeight(minimum);
        about().requestClose(CloseCause::User);
        EXPECT_EQ(settle(), 19) << minimum;
        EXPECT_EQ(program.about().get(), nullptr) << minimum;
    }
}

TEST_F(AboutTest, OtherCloseCausesUnloadAtOnce)
{
    for (CloseCause cause : {CloseCause::SessionEnd, CloseCause::TaskManager, CloseCause::Program}) {
        show();
        about().requestClose(cause);
        EXPECT_EQ(program.about().get(), nullptr) << static_cast<int>(cause);
        EXPECT_EQ(platform.window(kAbout), nullptr);
    }
}

TEST_F(AboutTest, PixelRoundingStillOpensAndCloses)
{
    for (int dpi : {96, 120, 144}) {
        fake::FakePlatform p;
        p.setDpi(dpi);
        Program prog(p.services());
        prog.about().show();
        ASSERT_GE(kestrow::settle(p), 0) << dpi;
        EXPECT_GE(p.window(kAbout)->height(), AboutWindow::kOpenLimit) << dpi;
        p.window(kAbout)->button("Command5").click();
        EXPECT_GE(kestrow::settle(p), 0) << dpi;
        EXPECT_EQ(prog.about().get(), nullptr) << dpi;
        EXPECT_EQ(prog.follow().get(), nullptr) << dpi;
    }
}

// With exact heights the open and close steps would cancel each other out.
TEST_F(AboutTest, CloseDuringTheOpeningStillCompletes)
{
    for (bool byOk : {false, true}) {
        for (int opened : {0, 1, 5, 20}) {
            fake::FakePlatform p;
            Program prog(p.services());
            prog.about().show();
            for (int i = 0; i < opened; ++i) p.tick();
            if (byOk) {
                p.window(kAbout)->button("Command5").click();
            } else {
                p.window(kAbout)->requestClose(CloseCause::User);
            }
            EXPECT_GE(kestrow::settle(p), 0) << byOk << " " << opened;
            EXPECT_EQ(prog.about().get(), nullptr) << byOk << " " << opened;
            EXPECT_EQ(p.window(kAbout), nullptr);
        }
    }
}

// OK closes the follow window too; one that is not loaded is loaded unseen.
TEST_F(AboutTest, OkClosesBothWindows)
{
    for (bool followShown : {true, false}) {
        openFully();
        if (followShown) about().label("Label8").click();
        about().button("Command5").click();
        fake::FakeWindow* follow = platform.window(kFollow);
        ASSERT_NE(follow, nullptr);
        EXPECT_EQ(follow->isShown(), followShown);
        EXPECT_TRUE(follow->timer("Timer2").enabled());
        EXPECT_GE(settle(), 0);
        EXPECT_TRUE(platform.windows().empty());
        EXPECT_EQ(program.follow().get(), nullptr);
        EXPECT_EQ(program.about().get(), nullptr);
    }
}

TEST_F(AboutTest, ShowingWhileLoadedMakesNoSecondWindow)
{
    AboutWindow& form = show();
    for (int i = 0; i < 10; ++i) platform.tick();
    EXPECT_EQ(&show(), &form);
    EXPECT_EQ(platform.windows().size(), 1u);
    EXPECT_EQ(about().height(), 2000) << "no second start-up";
    EXPECT_TRUE(form.Timer1->enabled());

    about().requestClose(CloseCause::User);
    platform.tick();
    EXPECT_EQ(&show(), &form);
    EXPECT_EQ(platform.windows().size(), 1u);
    EXPECT_EQ(about().height(), 1800);
    EXPECT_TRUE(form.Timer2->enabled()) << "closing goes on";
    EXPECT_GE(settle(), 0);
    EXPECT_EQ(program.about().get(), nullptr);

    // Once unloaded it loads anew, collapsed, with the open animation.
    AboutWindow& again = show();
    EXPECT_EQ(about().height(), 0);
    EXPECT_TRUE(again.Timer1->enabled());
}

TEST_F(AboutTest, ChangeLogFromEveryEntry)
{
    const std::string expected = "*****更新日志*****\r\n\r\nV1.0.0-2017.1\r\n已在各大应用商店上架\r\n";
    openFully();
    about().label("Label6").click();
    about().label("Label81").click();
    about().choosePopupItem("gxrizhi");
    about().mouseDown(mouse::right);
    ASSERT_EQ(platform.messages.size(), 3u);
    for (const auto& m : platform.messages) {
        EXPECT_EQ(m.prompt, expected);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
        EXPECT_FALSE(m.title.has_value());
    }
    EXPECT_TRUE(platform.commands.empty());
}

// Each link and the menu item that repeats it, answered OK and Cancel.
TEST_F(AboutTest, LinksAndMenuItemsAskThenOpen)
{
    struct Case {
        std::string control;  // a label, or a menu item of yjcd
        std::string question;  // empty: opens without asking
        std::string address;
    };
    const std::string update(pages::kUpdate);
    const std::string video(pages::kIntroVideo);
    const std::vector<Case> cases{
        {"Label7", "检查更新？", update}, {"update", "检查更新？", update},
        {"Label82", "观看介绍视频？", video}, {"shipin", "观看介绍视频？", video},
        {"bug", "", std::string(pages::kFeedback)},
    };
    openFully();
    for (const Case& c : cases) {
        for (MessageResult answer : {MessageResult::Ok, MessageResult::Cancel}) {
            SCOPED_TRACE(c.control + (answer == MessageResult::Ok ? " OK" : " Cancel"));
            platform.messages.clear();
            platform.commands.clear();
            platform.answers = {answer};
            if (c.control.starts_with("Label")) {
                about().label(c.control).click();
            } else {
                about().choosePopupItem(c.control);
                about().mouseDown(mouse::right);
            }
            const bool asks = !c.question.empty();
            ASSERT_EQ(platform.messages.size(), asks ? 1u : 0u);
            if (asks) {
                EXPECT_EQ(platform.messages[0].prompt, c.question);
                EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
                EXPECT_EQ(platform.messages[0].title, std::optional<std::string>("提示"));
            }
            const bool opens = !asks || answer == MessageResult::Ok;
            EXPECT_EQ(platform.commands, opens ? std::vector<std::string>{"explorer.exe " + c.address}
                                               : std::vector<std::string>{});
        }
    }
    EXPECT_FALSE(about().label("Label85").visible());
}

TEST_F(AboutTest, FollowLinkAndMenuShowOneFollowWindow)
{
    openFully();
    about().label("Label8").click();
    about().choosePopupItem("guanzhu");
    about().mouseDown(mouse::right);
    EXPECT_EQ(platform.windows().size(), 2u);
    EXPECT_TRUE(platform.window(kFollow)->isShown());
    EXPECT_EQ(platform.window(kAbout), &about()) << "About stays open";
}

TEST_F(AboutTest, OnlyTheRightButtonPopsTheMenu)
{
    openFully();
    about().mouseDown(mouse::left);
    EXPECT_EQ(about().popupCount(), 0);
    about().mouseDown(mouse::right | mouse::left);
    ASSERT_EQ(about().popupCount(), 1);
    EXPECT_EQ(about().lastPopup()->def().name, "yjcd");
}

TEST_F(AboutTest, ABrowserThatCannotStartIsReportedAndChangesNothing)
{
    openFully();
    platform.failWith = "找不到文件";
    about().choosePopupItem("bug");
    about().mouseDown(mouse::right);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find(pages::kFeedback), std::string::npos);
    EXPECT_NE(platform.messages[0].prompt.find("找不到文件"), std::string::npos);
    EXPECT_NE(program.about().get(), nullptr);
    EXPECT_FALSE(platform.tick());
}

}  // namespace
}  // namespace kestrow
