// A held press that loses the pointer over one of the panel's children, and a
// title drag held while a pinned target that did not answer wakes.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/e2e/session.h"

namespace {

bool PanelStays(Session& s, POINT at)
{
    WaitFor([] { return false; }, 300);
    s.Locate();
    return s.origin.x == at.x && s.origin.y == at.y;
}

}  // namespace

// A title drag held at the bottom edge slides the pointer over the window list; there the capture is
// lost and the release, queued meanwhile, goes to the list. The drag must end with it: the next press on
// a drawn button moves nothing and leaves the pointer free.
TEST(HeldEndToEnd, CaptureLostOverTheListEndsTheDragThereAfter)
{
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    RECT desk;
    GetClientRect(GetDesktopWindow(), &desk);
    const POINT grip = {s.origin.x + 200, s.origin.y + 10};
    PointerTo(grip.x, grip.y);
    LeftDown();
    const int bottom = desk.bottom - 150, down = bottom - s.origin.y;
    PointerTo(grip.x, grip.y + down + 48);  // the panel held at the edge, the pointer over the list
    ASSERT_TRUE(PanelStays(s, POINT{s.origin.x, bottom}));
    HWND list = FindWindowExA(s.panel, NULL, "ComboBox", NULL);
    POINT over = {200, 58};
    ClientToScreen(s.panel, &over);
    ASSERT_EQ(ChildWindowFromPoint(s.panel, POINT{200, 58}), list);
    // The panel's thread held while the capture is taken from it and the button goes up.
    SuspendThread(s.app.pi.hThread);
    PostMessageA(s.panel, WM_CANCELMODE, 0, 0);
    XInput("u 1\n");
    WaitFor([] { return false; }, 300);
    ResumeThread(s.app.pi.hThread);
    WaitFor([] { return false; }, 500);
    EXPECT_TRUE(PointerFree()) << "the drag still holds the pointer";

    const POINT before = s.origin;
    s.To(352, 58);  // the RefreshButton
    LeftDown();
    s.To(358, 62);
    s.To(355, 60);
    LeftUp();
    EXPECT_TRUE(PanelStays(s, before)) << "the panel moved to " << s.origin.x << "," << s.origin.y << " from "
                                       << before.x << "," << before.y;
    EXPECT_TRUE(PointerFree());
}

// Pinned while its thread sleeps 0.8 s, the target wakes in the middle of a title drag: the drag goes on
// and the target stays behind.
TEST(HeldEndToEnd, TitleDragGoesOnWhileAPinnedTargetWakes)
{
    const char kSleepy[] = "001 Vexlo sleepy target";
    HWND sleepy = MakeSleepyTarget(kSleepy);
    Session s;
    ASSERT_TRUE(s.Start(kSleepy, 200, 150));
    PostMessageA(sleepy, WM_APP, 800, 0);
    s.Click(60, 128);
    const POINT from = s.origin;
    s.To(100, 10);
    LeftDown();
    PointerTo(from.x + 100 - 40, from.y + 10 + 30);
    EXPECT_TRUE(WaitFor([&] { return Topmost(sleepy); }, 5000)) << "pinned once awake";
    WaitFor([] { return false; }, 500);
    EXPECT_NE(GetForegroundWindow(), sleepy) << "the woken target took the front mid-drag";
    PointerTo(from.x + 100 - 80, from.y + 10 + 60);
    LeftUp();
    EXPECT_TRUE(PanelStays(s, POINT{from.x - 80, from.y + 60})) << "the drag ended at " << s.origin.x << ","
                                                                 << s.origin.y;
    EXPECT_TRUE(PointerFree());
}
