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
