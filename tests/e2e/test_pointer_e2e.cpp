// The real vexlo.exe driven through the X server, watched from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

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
    // With the button still held: the box in front, the pointer free, the panel not taking them back.
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == box; }, 3000)) << "the box is not in front";
    EXPECT_TRUE(WaitFor([] { return PointerFree(); }, 3000)) << "the pointer is held while the box is up";
    WaitFor([] { return false; }, 500);
    EXPECT_TRUE(PointerFree() && GetForegroundWindow() == box) << "the panel took the pointer or the front back";
    LeftUp();
    EXPECT_TRUE(WaitFor([] { return PointerFree(); }, 3000)) << "the pointer is free";
    HWND ok = GetDlgItem(box, IDOK) ? GetDlgItem(box, IDOK) : GetDlgItem(box, IDCANCEL);
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
    WaitFor([&] { return SendMessageA(widthEdit, WM_GETTEXT, sizeof(text), (LPARAM)text), !std::strcmp(text, "210"); });
    ASSERT_STREQ(text, "210") << "the target's width shows once it is picked";

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

    // Pin on a target whose thread sleeps 0.8 s: the panel answers the next move at
    // once, and the target, pinned once awake, leaves the front to the window the
    // user went on to meanwhile.
    PostMessageA(sleepy, WM_APP, 800, 0);
    s.To(60, 128);
    LeftDown();
    const DWORD released = GetTickCount();
    LeftUp();
    s.To(250, 128);
    EXPECT_TRUE(WaitFor([&] { return s.At(213, 119) == raised; }, 3000)) << "hover look on the MoreButton";
    const DWORD answered = GetTickCount() - released;
    std::printf("pin on a sleeping target: the next look came %lu ms after the release\n", answered);
    EXPECT_LT(answered, 500u) << "the panel answered late";
    SetForegroundWindow(s.target);
    EXPECT_TRUE(WaitFor([&] { return Topmost(sleepy); }, 15000)) << "pinned once awake";
    WaitFor([] { return false; }, 1000);
    EXPECT_EQ(GetForegroundWindow(), s.target) << "the woken target took the front";

    // Closed while the panel slider is held: the pointer is free at once.
    s.To(73, 11);
    LeftDown();
    s.To(63, 11);
    ASSERT_TRUE(WaitFor([] { return !PointerFree(); }, 3000)) << "the slider press was not taken";
    PostMessageA(s.panel, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitExit(s.app, 30000), 1u);
    EXPECT_TRUE(PointerFree());
    LeftUp();
    CloseHandles(s.app);
    s.panel = NULL;
}

// A press held while something else happens: a window brought to the front keeps
// it, a release queued behind the panel's own resume still acts, and one after a
// slide off does nothing; a drawn button's looks on the screen, and a press that
// slides off and back.
TEST(PointerEndToEnd, HeldPressDisturbedKeepsTheFrontAndItsReleaseLooksAndSlideOff)
{
    const COLORREF raised = RGB(130, 156, 225), sunken = RGB(35, 51, 156);
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    s.To(100, 10);
    LeftDown();
    s.To(120, 20);
    // Disturbed only once held: a panel thread that takes the press late is activated
    // by it then, after the window below came forward, as Windows does too.
    GUITHREADINFO held = {};
    held.cbSize = sizeof(held);
    const DWORD thread = GetWindowThreadProcessId(s.panel, NULL);
    ASSERT_TRUE(WaitFor([&] { return GetGUIThreadInfo(thread, &held) && held.hwndCapture == s.panel &&
                                      GetForegroundWindow() == s.panel; }, 3000))
        << "the title press was not taken";
    SetForegroundWindow(s.target);
    WaitFor([] { return false; }, 1000);
    EXPECT_EQ(GetForegroundWindow(), s.target) << "the panel took the front back";
    EXPECT_TRUE(PointerFree()) << "the press still holds the pointer";
    LeftUp();
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(GetForegroundWindow(), s.target);

    // The release reaches the panel's queue while it is held up, behind a resume.
    const auto releaseBehindResume = [&] {
        SuspendThread(s.app.pi.hThread);
        PostMessageA(s.panel, WM_APP + 1, 0, 0);
        XInput("u 1\n");
        WaitFor([] { return false; }, 300);
        ResumeThread(s.app.pi.hThread);
    };
    s.Locate();
    s.To(60, 128);
    LeftDown();
    ASSERT_TRUE(WaitFor([&] { return s.At(15, 119) == sunken; })) << "pressed look";
    releaseBehindResume();
    EXPECT_TRUE(WaitFor([&] { return Topmost(s.target); }, 3000)) << "the click was lost";
    s.To(150, 128);
    LeftDown();
    s.To(250, 100);
    releaseBehindResume();
    WaitFor([] { return false; }, 500);
    EXPECT_TRUE(Topmost(s.target) && PointerFree()) << "a release off the button acted or held the pointer";
    EXPECT_EQ(s.At(120, 120), Base) << "ClearTopmostButton not resting";

    // ClearTopmostButton: hover raises it, a press sinks it, sliding off rests it and
    // a release there does nothing; sliding back on before the release acts.
    s.To(150, 128);
    EXPECT_TRUE(WaitFor([&] { return s.At(120, 120) == raised; })) << "hover look";
    LeftDown();
    EXPECT_TRUE(WaitFor([&] { return s.At(119, 119) == sunken; })) << "pressed look";
    s.To(250, 100);
    EXPECT_TRUE(WaitFor([&] { return s.At(120, 120) == Base; })) << "resting look";
    LeftUp();
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(Topmost(s.target)) << "released off the button";
    LeftDown();
    LeftUp();
    s.To(150, 128);
    LeftDown();
    s.To(250, 100);
    s.To(150, 128);
    LeftUp();
    EXPECT_TRUE(WaitFor([&] { return !Topmost(s.target); })) << "slid back on and released";
}

// A quick click, press and release 30 ms apart, acts once on every drawn button.
TEST(PointerEndToEnd, QuickClickActsOnceOnEveryDrawnButton)
{
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    HWND combo = FindWindowExA(s.panel, NULL, "ComboBox", NULL);
    const auto quick = [&](int x, int y) { QuickClick(s.origin.x + x, s.origin.y + y); };
    const auto count = [&] { return SendMessageA(combo, CB_GETCOUNT, 0, 0); };
    quick(60, 128);
    EXPECT_TRUE(WaitFor([&] { return Topmost(s.target); })) << "SetTopmostButton";
    quick(150, 128);
    EXPECT_TRUE(WaitFor([&] { return !Topmost(s.target); })) << "ClearTopmostButton";
    quick(350, 130);
    EXPECT_TRUE(WaitFor([&] { return !Topmost(s.panel); })) << "PinButton";
    quick(350, 130);
    EXPECT_TRUE(WaitFor([&] { return Topmost(s.panel); })) << "PinButton again";
    const LRESULT visible = count();
    quick(170, 80);
    EXPECT_TRUE(WaitFor([&] { return count() > visible; })) << "AllWindowsRadio";
    quick(60, 80);
    EXPECT_TRUE(WaitFor([&] { return count() == visible; })) << "VisibleWindowsRadio";
    HWND extra = MakeTarget("001 Vexlo e2e extra", 300, 20, 100, 80);
    quick(354, 59);
    EXPECT_TRUE(WaitFor([&] { return count() == visible + 1; })) << "RefreshButton";
    DestroyWindow(extra);
    quick(250, 128);
    EXPECT_TRUE(WaitFor([&] { return WindowHeight(s.panel) == 300 && s.At(303, 129) == Green; })) << "MoreButton";
    quick(250, 128);
    EXPECT_TRUE(WaitFor([&] { return WindowHeight(s.panel) == 150 && s.At(303, 126) == Green; })) << "MoreButton again";
    quick(338, 10);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(s.panel); })) << "MinimizeButton";
    PostMessageA(s.panel, 954, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(s.panel) != 0; }));
    WaitFor([] { return false; }, 300);
    quick(358, 10);
    EXPECT_EQ(WaitExit(s.app, 30000), 1u) << "CloseButton";
    CloseHandles(s.app);
    s.panel = NULL;
}

// What a person types, through the X server: digits among letters, a pasted
// minus, each field applied with its button and seen on the target; then Escape
// and Enter on the About box in front.
TEST(PointerEndToEnd, KeysTypedIntoTheFieldsAndTheAboutBox)
{
    Session s;
    ASSERT_TRUE(s.Start(kTargetTitle, 200, 150));
    ASSERT_TRUE(s.Unfold());
    const auto typeInto = [&](int x, int y, const char* keys) {
        s.Click(x, y);
        XInput("k End\nk BackSpace\nk BackSpace\nk BackSpace\nk BackSpace\nk BackSpace\n");
        TypeKeys(keys);
    };
    typeInto(209, 170, "1x6-0");
    s.Click(292, 170);
    RECT r;
    EXPECT_TRUE(WaitFor([&] { return GetWindowRect(s.target, &r) && r.bottom - r.top == 160; })) << r.bottom - r.top;
    // The field takes no minus from the keys; a paste brings one.
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(text), "-30", 4);
    GlobalUnlock(text);
    ASSERT_TRUE(OpenClipboard(NULL) && EmptyClipboard() && SetClipboardData(CF_TEXT, text) && CloseClipboard());
    typeInto(172, 207, "");
    XInput("kd Control_L\nk v\nku Control_L\n");
    typeInto(243, 207, "7 5");
    s.Click(292, 207);
    EXPECT_TRUE(WaitFor([&] { return GetWindowRect(s.target, &r) && r.left == -30 && r.top == 75; }))
        << "at " << r.left << "," << r.top;

    s.Click(318, 10);
    HWND box = NULL;
    ASSERT_TRUE(WaitFor([&] {
        box = WaitForProcessWindow(s.app.pi.dwProcessId, "#32770", NULL, 0);
        return box != NULL && GetForegroundWindow() == box;
    })) << "the About box is not in front";
    WaitFor([] { return false; }, 600);  // the fade
    KeyTap("Escape");
    WaitFor([] { return false; }, 500);
    EXPECT_TRUE(IsWindow(box)) << "Escape closed the box";
    KeyTap("Return");
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "Enter did not close the box";
}
