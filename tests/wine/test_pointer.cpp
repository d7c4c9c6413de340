// Pointer messages on the real panel: the looks each transition draws, the
// sliders, the fold and a drag that loses the capture.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/catalogue.h"
#include "panel/motion.h"
#include "panel/panel.h"
#include "panel/surface.h"
#include "tests/wine/harness.h"
#include "tests/wine/test_surface_checks.h"

namespace {

enum Step { Hover, Press, HeldMove, Release };

void Send(Step step, int x, int y)
{
    static const UINT kMessages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP};
    WPARAM buttons = step == HeldMove || step == Press ? MK_LBUTTON : 0;
    SendMessageA(MainPanel, kMessages[step], buttons, MAKELPARAM(x, y));
}

const COLORREF RingHover = RGB(250, 195, 78), RingHeld = RGB(134, 158, 221), RingDot = RGB(217, 166, 220);

}  // namespace

TEST(Pointer, SkinButtonAndRadioLooksFollowEveryTransition)
{
    ForgetSettings();
    BootPanel(true);
    SendMessageA(WindowCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);  // Pin acts on nothing
    const RECT& set = SetTopmostButtonRect;
    const struct { Step step; int x, y, hot, pressed, style; } walk[] = {
        {Hover, 60, 128, 6, 0, 1},  {Press, 60, 128, 6, 6, 3},   {HeldMove, 60, 100, 16, 6, 0},
        {HeldMove, 60, 128, 6, 6, 3}, {Release, 60, 128, 6, 6, 1}, {Hover, 60, 100, 0, 6, 0},
        // Pressed, slid off, released outside: the resting frame stays, no action.
        {Press, 60, 128, 6, 6, 3},  {HeldMove, 15, 128, 16, 6, 0}, {Release, 15, 128, 16, 6, 0},
        {Hover, 250, 100, 0, 6, 0},
    };
    for (const auto& s : walk) {
        Send(s.step, s.x, s.y);
        EXPECT_EQ(HotState, s.hot) << s.step << " at " << s.x << "," << s.y;
        EXPECT_EQ(PressedControl, s.pressed);
        ExpectBevel(set, s.style, "SetTopmostButton");
    }

    // AllWindowsRadio: hover ring, held, left, back, chosen with its dot.
    const struct { Step step; int x, y, hot; COLORREF ring; } radio[] = {
        {Hover, 150, 80, 9, RingHover}, {Press, 150, 80, 9, RingHeld}, {HeldMove, 150, 100, 19, Pale},
        {HeldMove, 150, 80, 9, RingHeld}, {Release, 150, 80, 9, RingDot},  // the dot's own ring
    };
    for (const auto& s : radio) {
        Send(s.step, s.x, s.y);
        EXPECT_EQ(HotState, s.hot);
        EXPECT_EQ(GetPixel(BackBufferDC, 141, 77), s.ring) << "step " << s.step;
        SameBlock(PanelDC, 136, 75, BackBufferDC, 136, 75, 12, 12, "radio on screen");
    }
    EXPECT_EQ(ListAllWindows, 1);
    EXPECT_EQ(ListVisibleOnly, 0);
    EXPECT_EQ(GetPixel(BackBufferDC, 16, 77), Pale) << "the other radio is drawn off";
}

namespace {

std::vector<int> FoldHeights;

LRESULT CALLBACK WatchSizes(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->hwnd == MainPanel && m->message == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(m->lParam);
        if (!(pos->flags & SWP_NOSIZE))
            FoldHeights.push_back(pos->cy);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void ClickMoreAndWait(int expanded)
{
    Send(Press, 250, 128);
    Send(Release, 250, 128);
    Within(10000, [&] { return PanelExpanded == expanded; });
}

}  // namespace

TEST(Pointer, FoldTakesSixTicksEachWayTurnsTheArrowAndSwapsTheBottomRows)
{
    BootPanel(true);  // folded at the start: Surface.EveryNamedPixel*
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSizes, NULL, GetCurrentThreadId());
    Send(Press, 250, 128);
    Send(Release, 250, 128);
    PumpMessages(120);
    // A second release during the unfold restarts the timer and keeps the direction.
    ClickMoreAndWait(1);
    EXPECT_TRUE(Placed(MainPanel).find("x300") != std::string::npos && PanelPlacement.height == 300);
    // The arrow points up (narrow at the top); the closing rows give way to the body and the left border.
    const ExpectedPixel unfolded[] = {
        {303, 126, B}, {303, 129, RGB(0, 255, 0)}, {100, 148, B}, {100, 149, B}, {1, 149, L}};
    CheckPixels(BackBufferDC, unfolded, "unfolded");
    SameBlock(PanelDC, 0, 118, BackBufferDC, 0, 118, 370, 35, "screen after the unfold");

    ClickMoreAndWait(0);
    UnhookWindowsHookEx(hook);
    const std::vector<int> want = {175, 200, 225, 250, 275, 300, 275, 250, 225, 200, 175, 150};
    EXPECT_EQ(FoldHeights, want);
    EXPECT_TRUE(Placed(MainPanel).find("x150") != std::string::npos);
    const ExpectedPixel folded[] = {{303, 126, RGB(0, 255, 0)}, {303, 129, B}, {100, 148, D}, {1, 149, D}};
    CheckPixels(BackBufferDC, folded, "folded");
    SameBlock(PanelDC, 0, 118, BackBufferDC, 0, 118, 370, 32, "screen after the fold");
}

TEST(Pointer, PanelSliderLayersThePanelAndClearsItAtTheRightEnd)
{
    BootPanel(true);
    Send(Press, 73, 10);
    EXPECT_EQ(DraggingPanelOpacity, 1);
    RECT clip, track = PanelOpacityTrack;
    MapWindowPoints(MainPanel, NULL, reinterpret_cast<POINT*>(&track), 2);
    GetClipCursor(&clip);
    EXPECT_TRUE(EqualRect(&clip, &track)) << clip.left << "," << clip.top << "-" << clip.right << "," << clip.bottom;

    Send(HeldMove, 45, 10);  // 28 left: thumb at 43
    EXPECT_EQ(PanelOpacityThumb.left, 43);
    EXPECT_EQ(PanelAlpha, 127.0f);
    EXPECT_TRUE(GetWindowLongA(MainPanel, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(LayeredAlpha(), 127);
    SameBlock(BackBufferDC, 43, 5, SpriteStripDC, 198, 0, 4, 13, "thumb at its new place");
    SameBlock(BackBufferDC, 71, 5, SpriteStripDC, 142 + 52, 0, 4, 13, "track where the thumb was");
    SameBlock(PanelDC, 19, 5, BackBufferDC, 19, 5, 56, 13, "track on screen");

    Send(HeldMove, -500, 10);
    EXPECT_EQ(PanelOpacityThumb.left, 19);
    EXPECT_EQ(PanelAlpha, 18.0f);
    Send(HeldMove, 500, 10);
    EXPECT_EQ(PanelOpacityThumb.left, 71);
    EXPECT_EQ(PanelAlpha, 255.0f);
    EXPECT_EQ(PanelLayered, 0);
    EXPECT_FALSE(GetWindowLongA(MainPanel, GWL_EXSTYLE) & WS_EX_LAYERED);

    Send(Release, 500, 10);
    EXPECT_TRUE(PointerFree());
}

TEST(Pointer, LostCaptureEndsAnyDragLikeARelease)
{
    BootPanel(true);
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    const struct { int x, y; int* flag; bool byCancelMode; } drags[] = {
        {100, 10, &DraggingPanel, false}, {73, 10, &DraggingPanelOpacity, true}, {100, 10, &DraggingPanel, true}};
    for (const auto& d : drags) {
        Send(Press, d.x, d.y);
        ASSERT_EQ(*d.flag, 1);
        ASSERT_EQ(GetCapture(), MainPanel);
        if (d.byCancelMode) {
            // What a modal box owned by the panel does to it.
            EnableWindow(MainPanel, FALSE);
            EnableWindow(MainPanel, TRUE);
        } else {
            SetCapture(other);
        }
        EXPECT_TRUE(PointerFree());
        // The capture the other window took is left alone.
        EXPECT_EQ(GetCapture(), d.byCancelMode ? static_cast<HWND>(NULL) : other);
        ReleaseCapture();
        const PanelPlacementRecord before = PanelPlacement;
        Send(HeldMove, d.x + 40, d.y);  // no drag step any more
        EXPECT_EQ(PanelAlpha, 255.0f);
        EXPECT_EQ(PanelPlacement.left, before.left);
    }
    DestroyWindow(other);
}
