#include "platform/web_pages.h"
#include "tests/support/in_memory_program.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrow {
namespace {

// The timer window stays unloaded, so the About and follow windows are the
// only ones counted.
class AboutTest : public ::testing::Test, protected InMemoryProgram {
protected:
    AboutWindow& show() { return program.about().show(); }
    fake::FakeWindow& about() { return *aboutWindow(); }
    void openFully()
    {
        show();
        ASSERT_GE(platform.tickUntilNoTimerRuns(), 0);
    }
    // A choice from the popup menu yjcd.
    void choose(const std::string& item)
    {
        about().choosePopupItem(item);
        about().mouseDown(mouse::right);
    }
};

TEST_F(AboutTest, LoadCollapsesAndCentresForTheNominalSize)
{
    struct Case {
        double screenWidth, screenHeight, left, top;
    };
    for (const Case& c : std::vector<Case>{
             {28800, 16200, 11130, 6022.5}, {6000, 4000, -270, -77.5},  // smaller than the window: no clamping
         }) {
        InMemoryProgram r;
        r.platform.setScreen(c.screenWidth, c.screenHeight);
        AboutWindow& form = r.program.about().show();
        fake::FakeWindow& w = *r.aboutWindow();
        EXPECT_EQ(w.left(), c.left);
        EXPECT_EQ(w.top(), c.top);
        EXPECT_EQ(w.height(), 0);
        EXPECT_TRUE(w.isShown());
        EXPECT_EQ(w.label("Label6").caption(), "V1.0.0-2017.1");
        EXPECT_TRUE(form.Timer1->enabled());
        EXPECT_FALSE(form.Timer2->enabled());
    }
}

// Each monitor has a scaling of its own: the window is centred on the home
// monitor's work area in the pixels it is drawn in there.
TEST_F(AboutTest, LoadCentresOnTheHomeMonitorAtItsScaling)
{
    struct Monitor {
        PixelRect work;
        int dpi;
    };
    for (const Monitor& m : {Monitor{{0, 0, 1920, 1040}, 96}, Monitor{{1920, -200, 4480, 1240}, 144}}) {
        InMemoryProgram r;
        r.platform.setDpi(m.dpi);
        r.platform.setMonitor(m.work);
        r.program.about().show();
        const fake::FakeWindow& w = *r.aboutWindow();
        const double pixelsPerTwip = m.dpi / 1440.0;
        EXPECT_NEAR((w.left() + AboutWindow::kNominalWidth / 2) * pixelsPerTwip, (m.work.left + m.work.right) / 2.0, 1);
        EXPECT_NEAR((w.top() + AboutWindow::kNominalHeight / 2) * pixelsPerTwip, (m.work.top + m.work.bottom) / 2.0, 1);
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
    EXPECT_EQ(aboutWindow(), nullptr);
    EXPECT_EQ(program.about().get(), nullptr);
}

// A title bar and frame as high as the close limit or higher (a large caption
// size): the close ends at the first step that leaves the window no lower.
TEST_F(AboutTest, CloseEndsAtAMinimumHeightTheWindowSystemKeeps)
{
    for (double minimum : {600.0, 705.0}) {
        openFully();
        about().setMinimumHeight(minimum);
        about().requestClose(CloseCause::User);
        EXPECT_EQ(platform.tickUntilNoTimerRuns(), 19) << minimum;
        EXPECT_EQ(program.about().get(), nullptr) << minimum;
    }
}

TEST_F(AboutTest, OtherCloseCausesUnloadAtOnce)
{
    for (CloseCause cause : {CloseCause::SessionEnd, CloseCause::TaskManager, CloseCause::Program}) {
        show();
        about().requestClose(cause);
        EXPECT_EQ(program.about().get(), nullptr) << static_cast<int>(cause);
        EXPECT_EQ(aboutWindow(), nullptr);
    }
}

TEST_F(AboutTest, PixelRoundingStillOpensAndCloses)
{
    for (int dpi : {96, 120, 144}) {
        InMemoryProgram r;
        r.platform.setDpi(dpi);
        r.program.about().show();
        ASSERT_GE(r.platform.tickUntilNoTimerRuns(), 0) << dpi;
        EXPECT_GE(r.aboutWindow()->height(), AboutWindow::kOpenLimit) << dpi;
        r.aboutWindow()->button("Command5").click();
        EXPECT_GE(r.platform.tickUntilNoTimerRuns(), 0) << dpi;
        EXPECT_EQ(r.program.about().get(), nullptr) << dpi;
        EXPECT_EQ(r.program.follow().get(), nullptr) << dpi;
    }
}

// With exact heights the open and close steps would cancel each other out.
TEST_F(AboutTest, CloseDuringTheOpeningStillCompletes)
{
    for (bool byOk : {false, true}) {
        for (int opened : {0, 1, 5, 20}) {
            InMemoryProgram r;
            r.program.about().show();
            for (int i = 0; i < opened; ++i) r.platform.tick();
            if (byOk) {
                r.aboutWindow()->button("Command5").click();
            } else {
                r.aboutWindow()->requestClose(CloseCause::User);
            }
            EXPECT_GE(r.platform.tickUntilNoTimerRuns(), 0) << byOk << " " << opened;
            EXPECT_EQ(r.program.about().get(), nullptr) << byOk << " " << opened;
            EXPECT_EQ(r.aboutWindow(), nullptr);
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
        fake::FakeWindow* follow = followWindow();
        ASSERT_NE(follow, nullptr);
        EXPECT_EQ(follow->isShown(), followShown);
        EXPECT_TRUE(follow->timer("Timer2").enabled());
        EXPECT_GE(platform.tickUntilNoTimerRuns(), 0);
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
    EXPECT_GE(platform.tickUntilNoTimerRuns(), 0);
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
    choose("gxrizhi");
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
        std::string control;   // a label, or a menu item of yjcd
        std::string question;  // empty: opens without asking
        std::string address;
    };
    const std::string update(pages::kUpdate);
    const std::string video(pages::kIntroVideo);
    const std::vector<Case> cases{
        {"Label7", "检查更新？", update},           {"update", "检查更新？", update},
        {"Label82", "观看介绍视频？", video},       {"shipin", "观看介绍视频？", video},
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
                choose(c.control);
            }
            const bool asks = !c.question.empty();
            ASSERT_EQ(platform.messages.size(), asks ? 1u : 0u);
            if (asks) {
                EXPECT_EQ(platform.messages[0].prompt, c.question);
                EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
                EXPECT_EQ(platform.messages[0].title, std::optional<std::string>("提示"));
                EXPECT_EQ(platform.messages[0].owner, "关于");
            }
            const bool opens = !asks || answer == MessageResult::Ok;
            EXPECT_EQ(platform.commands,
                      opens ? std::vector<std::string>{"explorer.exe " + c.address} : std::vector<std::string>{});
        }
    }
    EXPECT_FALSE(about().label("Label85").visible());
}

// Another program closes the window while it asks: the question counts as
// declined, and the form goes only once the asking handler has returned.
TEST_F(AboutTest, ClosedWhileAskingDeclines)
{
    openFully();
    platform.answers = {MessageResult::Ok};
    platform.duringMessage = [this] { about().requestClose(CloseCause::TaskManager); };
    about().label("Label7").click();
    EXPECT_TRUE(platform.commands.empty());
    EXPECT_EQ(program.about().get(), nullptr);
}

TEST_F(AboutTest, FollowLinkAndMenuShowOneFollowWindow)
{
    openFully();
    about().label("Label8").click();
    choose("guanzhu");
    EXPECT_EQ(platform.windows().size(), 2u);
    EXPECT_TRUE(followWindow()->isShown());
    EXPECT_EQ(aboutWindow(), &about()) << "About stays open";
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
    choose("bug");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].prompt.find(pages::kFeedback), std::string::npos);
    EXPECT_NE(platform.messages[0].prompt.find("找不到文件"), std::string::npos);
    EXPECT_NE(program.about().get(), nullptr);
    EXPECT_FALSE(platform.tick());
}

}  // namespace
}  // namespace kestrow
