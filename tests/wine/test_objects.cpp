// Drawing objects held by the process: repeated folds, tray-menu rows and skin looks leave their count where it was.
#include <gtest/gtest.h>

#include "panel/core/motion_rules.h"
#include "panel/panel.h"
#include "panel/skin.h"
#include "tests/helpers/gdi_objects.h"
#include "tests/wine/harness.h"
#include "tray/menu.h"
#include "tray/tray.h"

namespace {

// A fold or unfold from the MoreButton's click to its last tick, the ticks sent at once.
void Fold(int)
{
    const int was = PanelExpanded;
    PanelClick(250, 128);
    for (int tick = 0; tick < 20 && PanelExpanded == was; ++tick)
        SendMessageA(MainPanel, WM_TIMER, FoldTimerId, 0);
    ASSERT_NE(PanelExpanded, was) << "the fold did not end";
    // Painted now, children too, so the first paint of a themed button (whose theme keeps the part's image and
    // font for good) falls in the warm-up, not wherever the window manager's events put it.
    RedrawWindow(MainPanel, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The pointer onto the next row of the open menu, which lights it and puts out the row before.
void MenuRow(int i)
{
    SendMessageA(TrayMenu, WM_MOUSEMOVE, 0, MAKELPARAM(195, 15 + 29 * (i % 3)));
    ASSERT_EQ(MenuHotItem, i % 3 + 1);
}

// Every frame style (the title looks straight to the screen) and every radio look.
void SkinLooks(int i)
{
    static const int styles[7] = {0, 1, 3, 4, 5, 6, 7}, hot[6] = {1, 2, 21, 11, 12, 31};
    HotState = hot[i % 6];
    DrawBevel(BackBufferDC, MoreButtonRect.left, MoreButtonRect.top, MoreButtonRect.right, MoreButtonRect.bottom,
              styles[i % 7]);
    ListVisibleOnly = (i / 8) % 2;
    ListAllWindows = 1 - ListVisibleOnly;
    DrawRadio(i % 2, (i / 2) % 4);
}

// Wine keeps up to 64 cached display contexts and makes a new one (with its region and surface) whenever none is free
// for that window and flags, so the cache grows with the order in which windows happen to paint. Filled to its bound
// first, it stays there, and only a context held without release grows the count.
void FillDisplayContextCache()
{
    HDC held[64];
    for (HDC& dc : held)
        dc = GetDC(MainPanel);
    for (HDC dc : held)
        ReleaseDC(MainPanel, dc);
}

}  // namespace

// One object kept per step would take 65,000 steps to show as failed drawing; counted, 300 show it. The first steps
// make what Wine keeps once made (a window's display context, the menu and its font). None released either.
TEST(DrawingObjects, CountHeldOverThreeHundredFoldsMenuRowsAndSkinLooks)
{
    BootPanel(true);
    FillDisplayContextCache();
    SetCursorPos(300, 250);
    ASSERT_EQ(SendMessageA(MainPanel, TrayCallbackMessage, 1, WM_RBUTTONUP), 1);
    const struct { const char* what; void (*step)(int); } kRuns[] = {
        {"folds", Fold}, {"menu rows", MenuRow}, {"skin looks", SkinLooks}};
    for (const auto& run : kRuns) {
        for (int i = 0; i < 30; ++i)
            run.step(i);
        PumpMessages();
        const GdiObjects warm = CountGdiObjects(GetCurrentProcess());
        ASSERT_GT(warm.objects, 0) << "no handle table to count in";
        for (int i = 30; i < 330; ++i)
            run.step(i);
        PumpMessages();
        const GdiObjects end = CountGdiObjects(GetCurrentProcess());
        EXPECT_EQ(end.objects, warm.objects) << run.what << ", display contexts " << warm.dcs << " to " << end.dcs;
    }
}
