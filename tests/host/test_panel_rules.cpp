#include <gtest/gtest.h>

#include "panel/core/layout.h"

static void ExpectRect(const PanelRect& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

// The rectangles the build's pixels do not show: PinFace, and thumbs away from the end.
TEST(PanelLayout, PinFaceAndThumbsTruncatedFromAlpha)
{
    ExpectRect(LayoutControls(370, 150).pinFace, 338, 120, 362, 139);
    ExpectRect(PanelOpacityThumbAt(255.0f), 71, 5, 75, 17);
    ExpectRect(PanelOpacityThumbAt(128.0f), 43, 5, 47, 17);  // 47.1 truncated
    ExpectRect(PanelOpacityThumbAt(0.0f), 15, 5, 19, 17);
    ExpectRect(TargetOpacityThumbAt(100.0f), 231, 231, 237, 256);  // 237.08 truncated
}
