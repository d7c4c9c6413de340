// Actions on windows whose thread does not answer: the panel answers within a second, the change lands later.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/settings.h"
#include "catalogue/actions.h"
#include "tests/wine/harness.h"

namespace {

const DWORD kStallMs = 10000, kBoundMs = 1000;
const int kWidth = 260, kHeight = 170, kLeft = 333, kTop = 222, kAlpha = 100;

POINT Origin(int i) { return POINT{40 + 30 * i, 40 + 20 * i}; }

// One helper window per action, in this order; window i starts at Origin(i), 200 x 150, and shows the
// action's effect when `done` holds. Pin comes last, so that no later action takes the foreground from its target.
const struct { TargetAction action; const char* name; bool (*done)(HWND, POINT); } kCases[] = {
    {ActionUnpin, "Unpin", [](HWND w, POINT) { return !Topmost(w) && IsWindowVisible(w); }},
    {ActionHide, "Hide", [](HWND w, POINT) { return !IsWindowVisible(w); }},
    {ActionShow, "Show", [](HWND w, POINT) { return IsWindowVisible(w) != 0; }},
    {ActionResize, "Resize", [](HWND w, POINT at) { return Placed(w) == Placed(at.x, at.y, kWidth, kHeight); }},
    {ActionMove, "Move", [](HWND w, POINT) { return Placed(w) == Placed(kLeft, kTop, 200, 150); }},
    {ActionSetAlpha, "SetAlpha", [](HWND w, POINT) { return (ExStyle(w) & WS_EX_LAYERED) && AlphaOf(w) == kAlpha; }},
    {ActionPin, "Pin", [](HWND w, POINT) { return Topmost(w); }},
};
const int kPin = 6, kCount = sizeof(kCases) / sizeof(kCases[0]);

class Unresponsive : public ::testing::Test {
protected:
    PROCESS_INFORMATION helper = {};
    HANDLE asleep = NULL, ready = NULL;
    HWND windows[kCount] = {};
    DWORD stallStart = 0, stallMs = 0;

    void SetUp() override
    {
        char path[MAX_PATH], commandLine[MAX_PATH + 32];
        const DWORD id = GetCurrentProcessId();
        asleep = CreateEventA(NULL, TRUE, FALSE, ("VexloStuckAsleep" + std::to_string(id)).c_str());
        ready = CreateEventA(NULL, TRUE, FALSE, ("VexloStuckReady" + std::to_string(id)).c_str());
        GetModuleFileNameA(NULL, path, MAX_PATH);
        lstrcpyA(strrchr(path, '\\') + 1, "vexlo_stuck_target.exe");
        sprintf(commandLine, "\"%s\" %lu %d", path, id, kCount);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        ASSERT_TRUE(CreateProcessA(path, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &si, &helper)) << path;
        ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);
        ForgetSettings();
        BootPanel(true);
        ASSERT_EQ(LayeredAvailable, 1);
        ListAllWindows = 1;  // the target of Show is hidden
        for (int i = 0; i < kCount; ++i) {
            const std::string name = "Stuck Target " + std::to_string(i);
            HWND w = windows[i] = FindWindowA("VexloStuckTarget", name.c_str());
            ASSERT_TRUE(w != NULL) << name;
            // At its origin; topmost only before Unpin, hidden only before Show, layered and opaque only before SetAlpha.
            const POINT at = Origin(i);
            const TargetAction action = kCases[i].action;
            SetWindowPos(w, action == ActionUnpin ? HWND_TOPMOST : HWND_NOTOPMOST, at.x, at.y, 200, 150,
                         SWP_NOACTIVATE | (action == ActionShow ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
            const LONG exStyle = ExStyle(w) & ~WS_EX_LAYERED;
            SetWindowLongA(w, GWL_EXSTYLE, action == ActionSetAlpha ? exStyle | WS_EX_LAYERED : exStyle);
            if (action == ActionSetAlpha)
                SetLayeredWindowAttributes(w, 0, 255, LWA_ALPHA);
        }
        RequestedWidth = kWidth;
        RequestedHeight = kHeight;
        RequestedLeft = kLeft;
        RequestedTop = kTop;
        TargetAlpha = kAlpha;
    }

    void TearDown() override
    {
        if (helper.hProcess && TerminateProcess(helper.hProcess, 0))
            WaitForSingleObject(helper.hProcess, 10000);
        CloseHandle(asleep);  // the next test in this process makes them afresh
        CloseHandle(ready);
    }

    // The action ran on window i and stored its title as the last window.
    void Act(int i, TargetAction action)
    {
        EXPECT_TRUE(SelectTarget(windows[i])) << kCases[i].name;
        ApplyToTarget(action);
        EXPECT_EQ(Text(windows[i]), LastWindowText) << kCases[i].name;
    }

    bool Sleeping() { return WaitForSingleObject(asleep, 0) == WAIT_OBJECT_0; }

    // The helper's thread asleep with at least half its stall still ahead, or asleep afresh for ms.
    void Stall(DWORD ms = kStallMs)
    {
        if (Sleeping() && GetTickCount() - stallStart < stallMs / 2)
            return;
        ASSERT_TRUE(Within(2 * kStallMs, [&] { return !Sleeping(); }));
        PostMessageA(windows[0], WM_APP, stallMs = ms, 0);
        ASSERT_EQ(WaitForSingleObject(asleep, 10000), WAIT_OBJECT_0);
        stallStart = GetTickCount();
    }
};

TEST_F(Unresponsive, StuckTargetNeverHoldsThePanelChangesWhenItWakesPinComesForwardOnlySoonCloseGivesUp)
{
    for (int i = 0; i <= kCount; ++i) {
        Stall();
        const DWORD start = GetTickCount();
        // Last, SetAlpha once more on Pin's target, which is not layered.
        Act(i < kCount ? i : kPin, i < kCount ? kCases[i].action : ActionSetAlpha);
        EXPECT_LT(GetTickCount() - start, kBoundMs) << (i < kCount ? kCases[i].name : "SetAlpha on Pin's target");
    }

    ASSERT_TRUE(Within(2 * kStallMs, [&] { return !Sleeping(); }));
    for (int i = 0; i < kCount; ++i)
        EXPECT_TRUE(Within(5000, [&] { return kCases[i].done(windows[i], Origin(i)); })) << kCases[i].name;
    // Pin's foreground is not asserted: the window manager focuses Show's target. An opaque target stays so.
    EXPECT_FALSE(ExStyle(windows[kPin]) & WS_EX_LAYERED);

    // Pin's target comes forward when it wakes within 2 s, even with another of our windows in front; later,
    // never; nor when the user meanwhile took the pin back, hid the target, chose in the list again, holds a
    // press of the panel, types in a field or has a box of ours up.
    HWND other = MakeWindow("Unresponsive Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND target = windows[kPin];
    enum Meanwhile { Nothing, Late, Unpin, Hide, ChoseAgain, Pressed, Typing, BoxUp };
    for (Meanwhile m : {Late, Unpin, ChoseAgain, Pressed, Typing, BoxUp, Hide, Nothing}) {
        const DWORD stall = m == Late ? 3000 : 800;
        Stall(stall);
        Act(kPin, ActionPin);
        SetForegroundWindow(other);
        if (m == Unpin || m == Hide)
            ApplyToTarget(m == Unpin ? ActionUnpin : ActionHide);
        if (m == ChoseAgain) {
            SendMessageA(WindowCombo, CB_SETCURSEL, ItemOf(target), 0);
            SendMessageA(MainPanel, WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK), reinterpret_cast<LPARAM>(WindowCombo));
        }
        if (m == Pressed)
            SendMessageA(MainPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
        if (m == Typing)
            SetFocus(WidthEdit);
        EnableWindow(MainPanel, m != BoxUp);
        EXPECT_EQ(Within(stall + 1500, [&] { return GetForegroundWindow() == target; }), m == Nothing) << m;
        EnableWindow(MainPanel, TRUE);
        SendMessageA(MainPanel, WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
        ShowWindow(target, SW_SHOWNA);
        PumpMessages(m == Hide ? 500 : 0);  // a window manager may focus a window mapped again
        SetForegroundWindow(other);
    }

    // A close request must be answered: from a stuck target the panel gives up long before the target would wake.
    Stall(3 * kStallMs);
    const DWORD start = GetTickCount();
    Act(0, ActionClose);
    EXPECT_LT(GetTickCount() - start, kStallMs) << "Close waited for the target";
    EXPECT_TRUE(IsWindow(windows[0]));
}

}  // namespace
