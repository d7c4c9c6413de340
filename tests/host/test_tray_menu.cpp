#include <gtest/gtest.h>

#include "tray/core/menu_layout.h"

// One pointer move inside the menu: rows by the strict inside test, leaving a
// row keeps its number plus 10, and nothing else changes without a hit.
TEST(TrayMenuLayout, HoverStep)
{
    const struct { int hot, x, y; int newHot, drawn; } kMoves[] = {
        {0, 100, 15, 1, 1},   {0, 100, 44, 2, 2},   {0, 100, 73, 3, 3},
        {1, 100, 44, 2, 2},   {1, 10, 15, 11, 0},   {2, 23, 44, 12, 0},   // strip and its edge
        {3, 204, 73, 13, 0},  {1, 100, 29, 11, 0},  {2, 100, 30, 12, 0},  // right edge, gaps between rows
        {11, 100, 15, 1, 1},  {11, 5, 5, 11, 0},    {0, 5, 5, 0, 0},      // back onto the row; no row twice
        {1, 24, 2, 1, 1},     {3, 203, 86, 3, 3},   {13, 100, 87, 13, 0},  // first and last inside pixels
    };
    for (const auto& m : kMoves) {
        MenuHover h = MenuHoverStep(m.hot, m.x, m.y);
        EXPECT_EQ(h.hotItem, m.newHot) << m.hot << " at " << m.x << "," << m.y;
        EXPECT_EQ(h.drawItem, m.drawn) << m.hot << " at " << m.x << "," << m.y;
    }
}

// The 205 x 88 menu on a 1024 x 768 monitor: bottom-right corner at the pointer wherever it fits,
// over a taskbar too (a work-area bound would give 650, 30 and 60 in the first three rows);
// across the monitor's edge, on the pointer's other side; where neither fits, inside it.
TEST(TrayMenuLayout, PlacedAtThePointerWithinTheMonitor)
{
    const PanelRect screen = {0, 0, 1024, 768}, right = {1024, 0, 2304, 1024}, tiny = {10, 10, 150, 60};
    const struct { const PanelRect* monitor; int x, y, left, top; } rows[] = {
        {&screen, 1000, 750, 795, 662}, {&screen, 1000, 15, 795, 15},  // in a bottom, a top taskbar 30 high
        {&screen, 30, 700, 30, 612},    {&screen, 12, 12, 12, 12},     // a left one 60 wide; the top-left tray
        {&screen, 205, 88, 0, 0},       {&screen, 204, 87, 204, 87},   // just fits; one pixel short
        {&screen, 1023, 767, 818, 679}, {&screen, 1100, 300, 819, 212}, // the last pixel; pointer off the monitor
        {&right, 1030, 300, 1030, 212}, {&tiny, 100, 40, 10, 10},       // a second monitor; neither side fits
    };
    for (const auto& r : rows) {
        MenuOrigin o = PlaceMenu(r.x, r.y, *r.monitor);
        EXPECT_TRUE(o.left == r.left && o.top == r.top)
            << r.x << "," << r.y << " placed at " << o.left << "," << o.top;
    }
}
