#include <gtest/gtest.h>

#include "panel/core/layout.h"
#include "panel/core/skin_rules.h"

static void ExpectRect(const PanelRect& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

TEST(PanelLayout, RectanglesFromTheFoldedSizeAndThumbsFromAlpha)
{
    ControlLayout c = LayoutControls(370, 150);
    ExpectRect(c.close, 351, 4, 366, 18);
    ExpectRect(c.more, 212, 118, 317, 138);
    ExpectRect(c.pinFace, 338, 120, 362, 139);
    ExpectRect(c.targetOpacityLine, 161, 241, 355, 246);
    ExpectRect(PanelOpacityThumbAt(255.0f), 71, 5, 75, 17);
    ExpectRect(PanelOpacityThumbAt(128.0f), 43, 5, 47, 17);  // 47.1 truncated
    ExpectRect(TargetOpacityThumbAt(255.0f), 349, 231, 355, 256);
    ExpectRect(TargetOpacityThumbAt(100.0f), 231, 231, 237, 256);  // 237.08 truncated
}

// Every pixel of the two-pixel frame ring belongs to exactly one of the four
// parts, and no part reaches into the face or outside; on many sizes.
TEST(BevelRule, FourPartsTileTheFrameRing)
{
    for (int w = 5; w <= 30; ++w) {
        for (int h = 5; h <= 30; h += 5) {
            PanelRect r = {10, 20, 10 + w, 20 + h};
            for (int y = r.top - 1; y <= r.bottom; ++y) {
                for (int x = r.left - 1; x <= r.right; ++x) {
                    bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    bool ring = inside && (x < r.left + 2 || x >= r.right - 2 || y < r.top + 2 || y >= r.bottom - 2);
                    int owners = 0;
                    for (int p = 0; p < FramePartCount; ++p) {
                        PixelSpan s[2];
                        BevelFrameSpans(r, static_cast<FramePart>(p), s);
                        bool owned = false;
                        for (const PixelSpan& span : s)
                            owned = owned || (x >= span.x0 && x <= span.x1 && y >= span.y0 && y <= span.y1);
                        owners += owned;
                    }
                    ASSERT_EQ(owners, ring ? 1 : 0) << w << "x" << h << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(BevelRule, OneSharedFaceFlag)
{
    int shifted = 0;
    auto step = [&](int style) {
        FaceMove m = FaceMoveFor(style, shifted);
        shifted = FaceShiftedAfter(m, shifted);
        return m;
    };
    const struct {
        int style;
        FaceMove move;
    } sequence[] = {{3, FaceMovesDown}, {3, FaceStays},      {1, FaceMovesBack}, {1, FaceStays},
                    {4, FaceStays},     {0, FaceStays},      {3, FaceMovesDown}, {4, FaceStays},
                    {6, FaceStays},     {0, FaceMovesBack},  {2, FaceStays}};
    for (const auto& s : sequence)
        EXPECT_EQ(step(s.style), s.move) << s.style;
    EXPECT_EQ(shifted, 0);
}
