// The real vexlo.exe driven by real pointer input, watched from outside through
// screen pixels, window styles and the stored value.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "tests/e2e/session.h"


TEST(PointerEndToEnd, VanishedTargetWarningCanBeDismissedWithThePointer)
{
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    s.Unfold();
    DestroyWindow(s.target);
    s.target = NULL;
    // The first thumb step finds the window gone and shows the warning box,
    // which takes the capture from the panel in the middle of the drag.
    s.To(352, 243);
    LeftDown();
    s.To(340, 243);
    HWND box = NULL;
    const DWORD pid = s.app.pi.dwProcessId;
    ASSERT_TRUE(WaitFor([&] { return (box = WaitForProcessWindow(pid, "#32770", NULL, 0)) != NULL; }));
    LeftUp();
    EXPECT_TRUE(WaitFor([] { return PointerFree(); }, 3000)) << "the pointer is free";
    HWND ok = GetDlgItem(box, IDOK);
    if (ok == NULL)
        ok = GetDlgItem(box, IDCANCEL);
    ASSERT_TRUE(ok != NULL);
    RECT r;
    GetWindowRect(ok, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "OK clicked with the pointer";
    WaitFor([] { return false; }, 300);  // time for a second box
    EXPECT_TRUE(WaitForProcessWindow(pid, "#32770", NULL, 0) == NULL) << "no second box";
}

// The everyday request across two runs: pick a window, set it on top, find it
// selected again at the next start.
TEST(PointerEndToEnd, PickSetOnTopAndFindItSelectedNextTime)
{
    Session s;
    ASSERT_TRUE(s.Start(NULL, 210, 160));
    // Open the list with its arrow and pick the first entry, which is the target.
    HWND list = FindWindowExA(s.panel, NULL, "ComboBox", NULL);
    s.Click(330, 58);
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != 0; })) << "the list opens";
    s.Click(100, 76);
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) == 0; })) << "the pick closes it";
    ASSERT_TRUE(s.Unfold());
    HWND widthEdit = FindWindowExA(s.panel, NULL, "Edit", NULL);
    char text[16] = "";
    WaitFor([&] {
        SendMessageA(widthEdit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
        return std::strcmp(text, "210") == 0;
    });
    ASSERT_STREQ(text, "210") << "the target's width shows once it is picked";

    // A real click on the ApplySizeButton, and the target slider dragged.
    SendMessageA(widthEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("250"));
    s.Click(292, 170);
    RECT r;
    EXPECT_TRUE(WaitFor([&] { return GetWindowRect(s.target, &r) && r.right - r.left == 250; }));
    DragFromTo(s.origin.x + 352, s.origin.y + 243, s.origin.x + 252, s.origin.y + 243);
    BYTE alpha = 0;
    EXPECT_TRUE(WaitFor([&] { return GetLayeredWindowAttributes(s.target, NULL, &alpha, NULL) && alpha == 123; }))
        << int(alpha);

    s.Click(60, 128);
    EXPECT_TRUE(WaitFor([&] { return (GetWindowLongA(s.target, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == s.target; })) << GetForegroundWindow();
    EXPECT_EQ(StoredLastWindow(), kTargetTitle);
    ClosePanel(s.panel, s.app);

    // The next run selects it again.
    s.app = Launch();
    s.panel = WaitForPanel(s.app.pi.dwProcessId, 30000);
    ASSERT_TRUE(s.panel != NULL);
    wchar_t item[128] = L"";
    EXPECT_TRUE(WaitFor([&] {
        // The list comes a moment after the title.
        HWND combo = FindWindowExA(s.panel, NULL, "ComboBox", NULL);
        LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        return chosen != CB_ERR && SendMessageW(combo, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(item)) > 0 &&
               std::wcsncmp(item, L"000 Vexlo e2e target", 20) == 0;
    }));

    // The About box is system-modal: on the screen it stands above the pinned
    // panel it overlaps.
    s.Locate();
    s.Click(318, 10);
    HWND about = NULL;
    POINT p = {};
    ASSERT_TRUE(WaitFor([&] {
        about = WaitForProcessWindow(s.app.pi.dwProcessId, "#32770", NULL, 0);
        p = {8, 8};
        return about != NULL && IsWindowVisible(about) && ClientToScreen(about, &p);
    })) << "no About box";
    ASSERT_TRUE(p.y > s.origin.y + 22 && p.y < s.origin.y + 150) << "the box does not overlap the panel";
    // The fade ends at 210: wait until the pixel holds still over several steps.
    COLORREF seen = 0;
    int still = 0;
    WaitFor([&] {
        COLORREF now = ScreenPixel(p.x, p.y);
        still = now == seen ? still + 1 : 0;
        seen = now;
        Sleep(50);
        return still == 4;
    }, 5000);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    // The panel's own picture there, once the box has gone from the screen.
    COLORREF under = seen;
    WaitFor([&] { return (under = s.At(p.x - s.origin.x, p.y - s.origin.y)) != seen && under != 0; }, 5000);
    if (std::getenv("VEXLO_NO_WM") != NULL) {
        EXPECT_NE(seen, under) << "the box is not above the panel";
    } else {
        // Known fault, kept as an expected failure: with openbox the box stays
        // under the panel on the screen (Wine restacks the panel's unmanaged
        // window only to the very top; the box is the window manager's). When
        // this fails, the box shows: make it the check above for both modes.
        EXPECT_EQ(seen, under) << "the box now shows above the panel";
    }
}

// Every kind of drawn control with the real pointer: looks on the screen, a press
// that slides off and back, pin, minimise, close.
TEST(PointerEndToEnd, LooksSlideOffAndTitleButtonsWithTheRealPointer)
{
    const COLORREF raised = RGB(130, 156, 225), sunken = RGB(35, 51, 156);
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    // SetTopmostButton: hover raises it, a press sinks it, sliding off rests it and
    // a release there does nothing; sliding back on before the release acts.
    s.To(60, 128);
    EXPECT_TRUE(WaitFor([&] { return s.At(16, 120) == raised; })) << "hover look";
    LeftDown();
    EXPECT_TRUE(WaitFor([&] { return s.At(15, 119) == sunken; })) << "pressed look";
    s.To(200, 100);
    EXPECT_TRUE(WaitFor([&] { return s.At(16, 120) == Base; })) << "resting look";
    LeftUp();
    WaitFor([] { return false; }, 300);
    EXPECT_FALSE(Topmost(s.target)) << "released off the button";
    LeftDown();
    LeftUp();
    s.To(60, 128);
    LeftDown();
    s.To(200, 100);
    s.To(60, 128);
    LeftUp();
    EXPECT_TRUE(WaitFor([&] { return Topmost(s.target); })) << "slid back on and released";
    s.Click(150, 128);
    EXPECT_TRUE(WaitFor([&] { return !Topmost(s.target); })) << "ClearTopmostButton";

    // The sliders and the title drag: FirstGesture.* (test_gestures_e2e.cpp).
    // Pin, minimise and the tray icon's left release, close.
    s.Locate();
    s.Click(350, 130);
    EXPECT_TRUE(WaitFor([&] { return !Topmost(s.panel); })) << "unpinned";
    s.Click(350, 130);
    EXPECT_TRUE(WaitFor([&] { return Topmost(s.panel); })) << "pinned";
    s.Click(338, 10);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(s.panel); })) << "hidden to the tray";
    PostMessageA(s.panel, 954, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(s.panel) != 0; })) << "back from the tray";
    WaitFor([] { return false; }, 300);
    s.Locate();
    s.Click(358, 10);
    EXPECT_EQ(WaitExit(s.app, 30000), 1u) << "CloseButton";
    CloseHandles(s.app);
    s.panel = NULL;
}

// Held input where it ends badly: a press released off the panel, a pin on a
// target that does not answer, and the program closed in the middle of a drag.
TEST(PointerEndToEnd, ReleasedOffThePanelStuckTargetAndClosedMidDrag)
{
    const char kSleepy[] = "001 Vexlo sleepy target";
    HWND sleepy = MakeSleepyTarget(kSleepy);
    Session s;
    ASSERT_TRUE(s.Start(kSleepy, 200, 150));
    const COLORREF raised = RGB(130, 156, 225);

    // Pressed, then straight off the panel in one move and released there: resting, no action.
    s.To(60, 128);
    LeftDown();
    PointerTo(s.origin.x - 150, s.origin.y + 128);
    LeftUp();
    EXPECT_TRUE(WaitFor([&] { return s.At(16, 120) == Base; })) << "drawn resting";
    EXPECT_FALSE(Topmost(sleepy));

    // Pin on a target whose thread sleeps: the panel answers the next move at once.
    PostMessageA(sleepy, WM_APP, 4000, 0);
    s.To(60, 128);
    LeftDown();
    const DWORD released = GetTickCount();
    LeftUp();
    s.To(250, 128);
    EXPECT_TRUE(WaitFor([&] { return s.At(213, 119) == raised; }, 3000)) << "hover look on the MoreButton";
    const DWORD answered = GetTickCount() - released;
    std::printf("pin on a sleeping target: the next look came %lu ms after the release\n", answered);
    EXPECT_LT(answered, 500u) << "the panel answered late";
    EXPECT_TRUE(WaitFor([&] { return Topmost(sleepy) && GetForegroundWindow() == sleepy; })) << "pinned once awake";

    // Closed while the panel slider is held: the pointer is free at once.
    s.To(73, 11);
    LeftDown();
    s.To(63, 11);
    PostMessageA(s.panel, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(s.app, 30000), 1u);
    EXPECT_TRUE(PointerFree());
    LeftUp();
    CloseHandles(s.app);
    s.panel = NULL;
}
