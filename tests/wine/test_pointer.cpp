// Pointer messages on the real panel: radio looks, the fold, the sliders and drags that end early.
#include <gtest/gtest.h>

#include "panel/panel.h"
#include "tests/wine/harness.h"

namespace {

enum Step { Hover, Press, HeldMove, Release };

void Send(Step step, int x, int y)
{
    static const UINT kMessages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP};
    WPARAM buttons = step == HeldMove || step == Press ? MK_LBUTTON : 0;
    SendMessageA(MainPanel, kMessages[step], buttons, MAKELPARAM(x, y));
}

const COLORREF RingHover = RGB(250, 195, 78), RingHeld = RGB(134, 158, 221), RingDot = RGB(217, 166, 220);

std::vector<int> FoldHeights;

LRESULT CALLBACK WatchSizes(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const WINDOWPOS* pos = m->message == WM_WINDOWPOSCHANGED ? reinterpret_cast<const WINDOWPOS*>(m->lParam) : NULL;
    if (code == HC_ACTION && m->hwnd == MainPanel && pos != NULL && !(pos->flags & SWP_NOSIZE))
        FoldHeights.push_back(pos->cy);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

std::vector<HWND> LayeredCalls;
SetLayeredWindowAttributesFn RealLayered;

BOOL WINAPI RecordLayered(HWND window, COLORREF key, BYTE alpha, DWORD flags)
{
    LayeredCalls.push_back(window);
    return RealLayered(window, key, alpha, flags);
}

}  // namespace

// Each fold tick's height, each radio look and each thumb step reach the screen; a thumb held at an end changes
// no opacity and makes no layering call. The decisions and arithmetic: host PointerRules and MotionRules.
TEST(Pointer, FoldRadioLooksAndSliderThumbsReachTheScreenOpacityChangesOnlyWhenTheThumbMoves)
{
    BootPanel(true);  // folded at the start: Surface.EveryNamedPixel*
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSizes, NULL, GetCurrentThreadId());
    PanelClick(250, 128);
    PumpMessages(120);
    // A second release during the unfold restarts the timer and keeps the direction.
    PanelClick(250, 128);
    ASSERT_TRUE(Within(10000, [] { return PanelExpanded == 1; }));
    EXPECT_TRUE(Placed(MainPanel).find("x300") != std::string::npos && PanelPlacement.height == 300);
    // The arrow points up (narrow at the top); the closing rows give way to the body and the left border.
    const ExpectedPixel unfolded[] = {{303, 126, B}, {303, 129, Green}, {100, 148, B}, {100, 149, B}, {1, 149, L}};
    CheckPixels(BackBufferDC, unfolded, "unfolded");
    SameBlock(PanelDC, 0, 118, BackBufferDC, 0, 118, 370, 35, "screen after the unfold");

    PanelClick(250, 128);
    ASSERT_TRUE(Within(10000, [] { return PanelExpanded == 0; }));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(FoldHeights, std::vector<int>({175, 200, 225, 250, 275, 300, 275, 250, 225, 200, 175, 150}));
    EXPECT_TRUE(Placed(MainPanel).find("x150") != std::string::npos);
    const ExpectedPixel folded[] = {{303, 126, Green}, {303, 129, B}, {100, 148, D}, {1, 149, D}};
    CheckPixels(BackBufferDC, folded, "folded");
    SameBlock(PanelDC, 0, 118, BackBufferDC, 0, 118, 370, 32, "screen after the fold");

    const struct { Step step; int x, y; COLORREF ring; } radio[] = {
        {Hover, 150, 80, RingHover}, {Press, 150, 80, RingHeld}, {HeldMove, 150, 100, Pale},
        {HeldMove, 150, 80, RingHeld}, {Release, 150, 80, RingDot},  // the dot's own ring
    };
    for (const auto& s : radio) {
        Send(s.step, s.x, s.y);
        EXPECT_EQ(GetPixel(BackBufferDC, 141, 77), s.ring) << "step " << s.step;
        SameBlock(PanelDC, 136, 75, BackBufferDC, 136, 75, 12, 12, "radio on screen");
    }
    EXPECT_TRUE(ListAllWindows == 1 && ListVisibleOnly == 0);
    EXPECT_EQ(GetPixel(BackBufferDC, 16, 77), Pale) << "the other radio is drawn off";

    RealLayered = LayeredAttributesFunction;
    LayeredAttributesFunction = RecordLayered;
    // The target slider first, while the panel is opaque: 100 left puts the thumb at 249, opacity 123.
    HWND target = MakeWindow("Slider Target");
    ASSERT_TRUE(SelectTarget(target));
    SetWindowPos(MainPanel, NULL, 0, 0, 370, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(MainPanel);  // from here only the slider's own copy brings the track to the screen
    Send(Press, 352, 240);
    Send(HeldMove, 252, 240);
    EXPECT_TRUE(AlphaOf(target) == 123 && TargetOpacityThumb.left == 249);
    EXPECT_EQ(InkOf(PanelDC, 349, 231, 355, 256, B).count, 6 * 20 + 2) << "base and groove where the thumb was";
    SameBlock(PanelDC, 349, 241, SpriteStripDC, 188, 18, 6, 5, "groove where the thumb was");
    SameBlock(PanelDC, 249, 231, SpriteStripDC, 202, 0, 6, 25, "thumb at its new place");
    Send(HeldMove, -500, 240);
    LayeredCalls.clear();
    Send(HeldMove, -600, 240);  // held at the left end: ApplyToTarget does not run
    EXPECT_TRUE(LayeredCalls.empty() && TargetOpacityThumb.left == 161 && TargetAlpha == 7.0f);
    Send(Release, -600, 240);

    Send(Press, 73, 10);
    RECT clip, track = PanelOpacityTrack;
    MapWindowPoints(MainPanel, NULL, reinterpret_cast<POINT*>(&track), 2);
    GetClipCursor(&clip);
    EXPECT_TRUE(EqualRect(&clip, &track)) << clip.left << "," << clip.top << "-" << clip.right << "," << clip.bottom;
    Send(HeldMove, 45, 10);  // 28 left: thumb at 43
    EXPECT_TRUE(PanelOpacityThumb.left == 43 && PanelAlpha == 127.0f && AlphaOf(MainPanel) == 127);
    SameBlock(PanelDC, 43, 5, SpriteStripDC, 198, 0, 4, 13, "thumb at its new place");
    Send(HeldMove, -500, 10);
    LayeredCalls.clear();
    Send(HeldMove, -600, 10);  // held at the left end
    EXPECT_TRUE(LayeredCalls.empty() && PanelOpacityThumb.left == 19 && PanelAlpha == 18.0f);
    Send(HeldMove, 500, 10);  // back at the right end: plain again
    EXPECT_TRUE(PanelOpacityThumb.left == 71 && PanelAlpha == 255.0f && PanelLayered == 0);
    EXPECT_FALSE(ExStyle(MainPanel) & WS_EX_LAYERED);
    Send(Release, 500, 10);
    EXPECT_TRUE(PointerFree());
}

// Each way a drag can end without a WM_LBUTTONUP: the panel stops following and the clip is lifted.
// Every way a press of the panel ends lets its drag, capture and own clip go, and leaves a clip that
// another program set meanwhile (a game confining the pointer) in force.
TEST(Pointer, EveryEndOfAPressLetsItsOwnClipGoAndLeavesAnotherProgramsClip)
{
    BootPanel(true);
    // A window stands in for a smaller monitor, so that a panel-drag clip left in place fails PointerFree.
    DesktopWindow = MakeWindow("smaller desktop", WS_POPUP, 0, 0, 800, 600);
    Send(Press, 100, 10);
    RECT dragClip, theirs = {200, 200, 400, 300}, now;
    GetClipCursor(&dragClip);
    EXPECT_EQ(Placed(dragClip.left, dragClip.top, dragClip.right, dragClip.bottom), "0,0 800x600");
    Send(Release, 100, 10);

    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    // NewPress: the release was lost and the next press (on the MoreButton) finds the drag still held.
    enum Ending { Release_, NonClientRelease, OtherCapture, CancelMode, NewPress };
    const struct { int x, y; int* flag; Ending ending; } presses[] = {
        {100, 10, &DraggingPanel, Release_},         {73, 10, &DraggingPanelOpacity, Release_},
        {100, 10, &DraggingPanel, NonClientRelease}, {73, 10, &DraggingPanelOpacity, NonClientRelease},
        {100, 10, &DraggingPanel, OtherCapture},     {73, 10, &DraggingPanelOpacity, CancelMode},
        {100, 10, &DraggingPanel, CancelMode},       {100, 10, &DraggingPanel, NewPress},
        {73, 10, &DraggingPanelOpacity, NewPress},   {354, 59, NULL, Release_},  // a button: never clipped
        {354, 59, NULL, CancelMode},
    };
    for (bool theirsToo : {false, true}) {
        for (const auto& d : presses) {
            SCOPED_TRACE(testing::Message() << "press at " << d.x << ", ending " << d.ending << ", their clip " << theirsToo);
            Send(Press, d.x, d.y);
            ASSERT_EQ(d.flag ? *d.flag : 1, 1);
            ASSERT_EQ(GetCapture(), MainPanel);
            if (theirsToo)
                ClipCursor(&theirs);
            if (d.ending == Release_) {
                Send(Release, d.x, d.y);
            } else if (d.ending == NonClientRelease) {
                EXPECT_EQ(SendMessageA(MainPanel, WM_NCLBUTTONUP, HTCAPTION, 0), 1);
            } else if (d.ending == CancelMode) {
                // What a modal box owned by the panel does to it.
                EnableWindow(MainPanel, FALSE);
                EnableWindow(MainPanel, TRUE);
            } else if (d.ending == OtherCapture) {
                SetCapture(other);
            } else {
                Send(Press, 250, 128);
                EXPECT_EQ(DraggingPanel + DraggingPanelOpacity, 0);
                Send(Release, 250, 300);
            }
            GetClipCursor(&now);
            if (theirsToo) {
                EXPECT_TRUE(EqualRect(&now, &theirs)) << Placed(now.left, now.top, now.right, now.bottom);
                ClipCursor(NULL);
            }
            EXPECT_TRUE(PointerFree());
            // The capture the other window took is left alone.
            EXPECT_EQ(GetCapture(), d.ending == OtherCapture ? other : static_cast<HWND>(NULL));
            ReleaseCapture();
            const PanelPlacementRecord before = PanelPlacement;
            Send(HeldMove, d.x - 40, d.y);  // no drag step any more: the thumb and the panel stay
            EXPECT_TRUE(PanelAlpha == 255.0f && PanelOpacityThumb.left == 71);
            EXPECT_EQ(PanelPlacement.left, before.left);
            Send(Hover, 250, 100);
        }
    }
}

// Held at an edge, the pointer, not the panel, is the next step's origin: moving back moves the panel at once.
TEST(Pointer, PanelDragHeldAtAnEdgeComesBackWithThePointerAtOnce)
{
    BootPanel(true);
    const int right = static_cast<int>(DesktopWidth) - 370, bottom = static_cast<int>(DesktopHeight) - 150;
    const RECT start = RectOf(MainPanel);
    POINT at = {start.left + 100, start.top + 10};  // the pointer on the screen
    Send(Press, 100, 10);
    const struct { int dx, dy, left, top; } moves[] = {
        {-600, 0, 0, start.top},    {30, 0, 30, start.top},          {0, -500, 30, 0},
        {0, 20, 30, 20},            {900, 0, right, 20},             {-10, 0, right - 10, 20},
        {0, 900, right - 10, bottom}, {0, -10, right - 10, bottom - 10},
    };
    for (const auto& m : moves) {
        at.x += m.dx;
        at.y += m.dy;
        const RECT r = RectOf(MainPanel);
        Send(HeldMove, at.x - r.left, at.y - r.top);
        EXPECT_EQ(Placed(MainPanel), Placed(m.left, m.top, 370, 150)) << "pointer at " << at.x << "," << at.y;
        EXPECT_TRUE(PanelPlacement.left == m.left && PanelPlacement.top == m.top);
    }
    // Far past every edge: the pointer's 16-bit halves at their ends, as sent.
    const struct { int x, y, left, top; } edges[] = {{32767, 32767, right, bottom}, {-32768, -32768, 0, 0},
        {32767, -32768, right, 0}, {-32768, 32767, 0, bottom}, {-1, 32767, right, bottom}};
    for (const auto& f : edges) {
        Send(HeldMove, f.x, f.y);
        EXPECT_EQ(Placed(MainPanel), Placed(f.left, f.top, 370, 150)) << "sent " << f.x << "," << f.y;
    }
    // Released over the MoreButton: a drag's release starts no fold.
    Send(Release, 250, 128);
    PumpMessages(250);
    EXPECT_TRUE(PointerFree() && PanelExpanded == 0);
    EXPECT_EQ(Placed(MainPanel), Placed(right, bottom, 370, 150));
}

// A window of the panel's own thread (its list, a box of ours) taking the front in the middle of a real
// title drag deactivates the panel; the drag goes on with the button still down.
TEST(Pointer, TitleDragGoesOnWhenAWindowOfOursTakesTheFront)
{
    BootPanel(true);
    const RECT start = RectOf(MainPanel);
    SetCursorPos(start.left + 100, start.top + 10);
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof(press));
    ASSERT_TRUE(Within(2000, [] { return DraggingPanel == 1; }));
    HWND ours = MakeWindow("ours in front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetForegroundWindow(ours);
    PumpMessages(300);
    EXPECT_EQ(GetForegroundWindow(), ours);
    EXPECT_TRUE(DraggingPanel == 1 && GetCapture() == MainPanel) << "the drag ended";
    Send(HeldMove, 100 + 30, 10 + 20);
    EXPECT_EQ(Placed(MainPanel), Placed(start.left + 30, start.top + 20, 370, 150));
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof(press));
    EXPECT_TRUE(Within(2000, [] { return PointerFree(); }));
}

DWORD WINAPI MoveFromAnotherThread(LPVOID)
{
    return SetWindowPos(MainPanel, NULL, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Under X a window manager's late answer can move the shown panel where the program never put it (Wine applies
// a half-made place such as 0,0 while the screen keeps the panel). Such a move goes back, once until the next drag
// step; a move made by another program stands.
TEST(Pointer, StrayMovesOfThePanelGoBackOncePerPlacement)
{
    BootPanel(true);
    const auto stray = [] { SetWindowPos(MainPanel, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); };
    const std::string home = Placed(MainPanel);
    stray();
    EXPECT_TRUE(Within(1000, [&] { return Placed(MainPanel) == home; })) << Placed(MainPanel);
    // The stray and the put-back are requests to the window manager, whose late answers are strays as well.
    WindowManagerAnswered();
    stray();
    PumpMessages(200);
    EXPECT_EQ(Placed(MainPanel), Placed(0, 0, 370, 150)) << "put back twice for one placement";
    WindowManagerAnswered();
    Send(Press, 100, 10);
    Send(HeldMove, 110, 20);
    Send(Release, 110, 20);
    const std::string dragged = Placed(MainPanel);
    EXPECT_NE(dragged, Placed(0, 0, 370, 150));
    WindowManagerAnswered();
    HANDLE other = CreateThread(NULL, 0, MoveFromAnotherThread, NULL, 0, NULL);
    EXPECT_TRUE(Within(2000, [&] { return WaitForSingleObject(other, 0) == WAIT_OBJECT_0; }));
    CloseHandle(other);
    PumpMessages(200);
    EXPECT_EQ(Placed(MainPanel), Placed(5, 6, 370, 150)) << "another program's move was undone";
    stray();  // the drag step placed it anew: back to where that put it
    EXPECT_TRUE(Within(1000, [&] { return Placed(MainPanel) == dragged; })) << Placed(MainPanel);
}
