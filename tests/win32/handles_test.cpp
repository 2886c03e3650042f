// Every handle the adapter makes goes when its window goes: the About and
// follow windows opened and closed a hundred times leave no handle behind.
#include "platform/win32/handle_counts.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

namespace kestrow::win32 {
namespace {

using testing::pumpMessages;

}  // namespace

// Readable counts in failure messages.
void PrintTo(const HandleCounts& c, std::ostream* out)
{
    *out << "{windows " << c.windows << ", gdi " << c.gdiObjects << ", icons/cursors " << c.iconsCursors << ", timers "
         << c.timers << ", menus " << c.menus << "}";
}

namespace {

TEST(HandleCounts, AboutAndFollowWindowsOpenedAndClosedAHundredTimesLeaveNothing)
{
    testing::Win32Program rig;  // the timer window stays unloaded
    FormSlot<AboutWindow>& about = rig.program.about();
    FormSlot<FollowWindow>& follow = rig.program.follow();
    pumpMessages();
    const HandleCounts before = handleCounts();

    for (int i = 0; i < 100; ++i) {
        // Under Wine on a bare X server each shown window takes two seconds
        // to go (it waits for a window manager that never answers), so most
        // rounds load the windows unseen; the handles they make are the same.
        // No pumping while open: the animations would run to their end.
        if (i < 3) {
            about.show();
            follow.show();
        } else {
            about.refer();
            follow.refer();
        }
        if (i == 0) {
            const HandleCounts open = handleCounts();
            EXPECT_GE(open.windows, before.windows + 2 + 12 + 9 + 2) << "2 windows, 12 + 9 controls, a tooltip each";
            EXPECT_GE(open.gdiObjects, before.gdiObjects + 6) << "six pictures, fonts, brushes";
            EXPECT_GE(open.iconsCursors, before.iconsCursors + 4);
            EXPECT_GE(open.timers, before.timers + 2) << "both open animations run";
            EXPECT_GE(open.menus, before.menus + 1);
        }
        about.get()->unload();
        follow.get()->unload();
        pumpMessages();  // the slots drop their forms in posted callbacks
        ASSERT_EQ(about.get(), nullptr);
        ASSERT_EQ(follow.get(), nullptr);
    }
    EXPECT_EQ(handleCounts(), before);
}

TEST(HandleCounts, ClosingFromTheSystemSideReleasesEverythingToo)
{
    testing::Win32Services platform;
    const HandleCounts before = handleCounts();
    for (int i = 0; i < 100; ++i) {
        WindowDefinition def;
        def.clientWidth = 3000;
        def.clientHeight = 3000;
        auto window = platform.desktop.createWindow(def);
        LabelDefinition label;
        label.tooltip = "提示";
        label.handCursor = true;
        window->addLabel(label);
        PictureDefinition picture;
        picture.picture = Picture::QQGroup;
        window->addPicture(picture);
        window->addTextField({});
        window->addTimer({"Timer1", 1000, true, {}});
        window->addPopupMenu({"menu", "右键菜单", {{"help", "帮助", {}}}});
        // Destroyed by someone else: the objects must notice, not double-free.
        DestroyWindow(testing::hwndOf(*window));
        EXPECT_EQ(handleCounts().windows, before.windows);
    }
    pumpMessages();
    EXPECT_EQ(handleCounts(), before);
}

}  // namespace
}  // namespace kestrow::win32
