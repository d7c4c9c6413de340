#include <gtest/gtest.h>

#include "app/core/placement.h"

TEST(Placement, CentresAndTruncatesTowardZero)
{
    struct Case { float width, height; int left, top; } cases[] = {
        {1024, 768, 327, 309},
        {1025, 768, 327, 309},  // 327.5 truncated
        {369, 150, 0, 0},       // -0.5 truncated toward zero, not down to -1
        {360, 149, -5, 0},      // half the shortfall; -0.5 again gives 0
        {358, 100, -6, -25},
    };
    for (const Case& c : cases) {
        CentredOrigin o = CentrePanel(c.width, c.height, 370, 150);
        EXPECT_EQ(o.left, c.left) << "desktop width " << c.width;
        EXPECT_EQ(o.top, c.top) << "desktop height " << c.height;
    }
}
