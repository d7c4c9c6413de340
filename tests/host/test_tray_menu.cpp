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

// The 205 x 88 menu: bottom-right corner at the pointer where it fits; across an
// edge, on the pointer's other side; where neither fits, inside the work area.
TEST(TrayMenuLayout, PlacedInsideTheWorkArea)
{
    const PanelRect screen = {0, 0, 1024, 768}, offset = {60, 30, 1024, 700}, tiny = {10, 10, 150, 60};
    const struct { const PanelRect* area; int x, y, left, top; } rows[] = {
        {&screen, 984, 738, 779, 650}, {&screen, 600, 500, 395, 412},  // fits: as it always was
        {&screen, 205, 88, 0, 0},      {&screen, 204, 87, 204, 87},    // just fits; one pixel short
        {&screen, 12, 12, 12, 12},     {&screen, 1010, 12, 805, 12},   // the top corners
        {&screen, 12, 760, 12, 672},                                   // bottom-left
        {&offset, 70, 40, 70, 40},     {&offset, 1020, 750, 815, 612}, // a taskbar at the top, left, bottom
        {&offset, 1100, 300, 819, 212}, {&offset, 30, 10, 60, 30},     // the pointer outside the area
        {&tiny, 100, 40, 10, 10},                                      // neither side fits
    };
    for (const auto& r : rows) {
        MenuOrigin o = PlaceMenu(r.x, r.y, *r.area);
        EXPECT_TRUE(o.left == r.left && o.top == r.top)
            << r.x << "," << r.y << " placed at " << o.left << "," << o.top;
    }
}
