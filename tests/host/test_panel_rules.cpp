#include <gtest/gtest.h>

#include "panel/core/fonts.h"
#include "panel/core/layout.h"
#include "panel/core/skin_rules.h"

static void ExpectRect(const PanelRect& r, int left, int top, int right, int bottom, const char* what)
{
    EXPECT_EQ(r.left, left) << what;
    EXPECT_EQ(r.top, top) << what;
    EXPECT_EQ(r.right, right) << what;
    EXPECT_EQ(r.bottom, bottom) << what;
}

TEST(PanelLayout, FoldedSizeGivesTheDocumentedRectangles)
{
    ControlLayout c = LayoutControls(370, 150);
    ExpectRect(c.about, 311, 4, 325, 17, "about");
    ExpectRect(c.minimize, 331, 4, 345, 17, "minimize");
    ExpectRect(c.close, 351, 4, 366, 18, "close");
    ExpectRect(c.panelOpacityTrack, 19, 5, 75, 17, "panel track");
    ExpectRect(c.refresh, 345, 48, 364, 70, "refresh");
    ExpectRect(c.visibleRadio, 11, 75, 116, 86, "visible radio");
    ExpectRect(c.allRadio, 136, 75, 206, 86, "all radio");
    ExpectRect(c.setTopmost, 15, 119, 110, 137, "set topmost");
    ExpectRect(c.clearTopmost, 119, 119, 190, 137, "clear topmost");
    ExpectRect(c.more, 212, 118, 317, 138, "more");
    ExpectRect(c.pin, 336, 118, 364, 141, "pin");
    ExpectRect(c.pinFace, 338, 120, 362, 139, "pin face");
    ExpectRect(c.targetOpacityTrack, 161, 231, 355, 256, "target track");
    ExpectRect(c.targetOpacityLine, 161, 241, 355, 246, "target line");
}

TEST(PanelLayout, ThumbsFollowAlphaTruncated)
{
    ExpectRect(PanelOpacityThumbAt(255.0f), 71, 5, 75, 17, "panel thumb at 255");
    ExpectRect(PanelOpacityThumbAt(0.0f), 15, 5, 19, 17, "panel thumb at 0");
    // 19 + 56 * 128 / 255 = 47.1 -> 47
    ExpectRect(PanelOpacityThumbAt(128.0f), 43, 5, 47, 17, "panel thumb at 128");
    ExpectRect(TargetOpacityThumbAt(255.0f), 349, 231, 355, 256, "target thumb at 255");
    ExpectRect(TargetOpacityThumbAt(0.0f), 155, 231, 161, 256, "target thumb at 0");
    // 161 + 194 * 100 / 255 = 237.08 -> 237
    ExpectRect(TargetOpacityThumbAt(100.0f), 231, 231, 237, 256, "target thumb at 100");
}

TEST(PanelLayout, PaletteOrderAndValues)
{
    const Colour expected[6] = {0x00FFFFFF, 0x00D27E68, 0x00FFB19B, 0x009C3323, 0x00000000, 0x00DE98FC};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Palette[i], expected[i]) << i;
    EXPECT_EQ(Rgb(50, 100, 255), 0x00FF6432u);
}

// Every pixel of the two-pixel frame ring belongs to exactly one part, and no
// part reaches into the face or outside the rectangle; checked on many sizes.
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
                    ASSERT_EQ(BevelFramePartAt(r, x, y) != FrameNone, ring) << w << "x" << h << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(BevelRule, CornerPixelsGoWhereTheRuleSays)
{
    PanelRect r = {15, 119, 110, 137};
    EXPECT_EQ(BevelFramePartAt(r, 15, 119), FrameOuterTopLeft);
    EXPECT_EQ(BevelFramePartAt(r, 109, 119), FrameOuterTopLeft);
    EXPECT_EQ(BevelFramePartAt(r, 15, 135), FrameOuterTopLeft);
    EXPECT_EQ(BevelFramePartAt(r, 15, 136), FrameOuterBottomRight);
    EXPECT_EQ(BevelFramePartAt(r, 109, 136), FrameOuterBottomRight);
    EXPECT_EQ(BevelFramePartAt(r, 109, 120), FrameOuterBottomRight);
    EXPECT_EQ(BevelFramePartAt(r, 16, 120), FrameInnerTopLeft);
    EXPECT_EQ(BevelFramePartAt(r, 108, 120), FrameInnerTopLeft);
    EXPECT_EQ(BevelFramePartAt(r, 16, 134), FrameInnerTopLeft);
    EXPECT_EQ(BevelFramePartAt(r, 16, 135), FrameInnerBottomRight);
    EXPECT_EQ(BevelFramePartAt(r, 108, 121), FrameInnerBottomRight);
    EXPECT_EQ(BevelFramePartAt(r, 17, 121), FrameNone);
}

TEST(BevelRule, ColoursPerStyle)
{
    Colour c[FramePartCount];
    ASSERT_TRUE(BevelFrameColours(0, c));
    EXPECT_EQ(c[FrameOuterTopLeft], Palette[ColourLight]);
    EXPECT_EQ(c[FrameOuterBottomRight], Palette[ColourDark]);
    EXPECT_EQ(c[FrameInnerTopLeft], Palette[ColourBase]);
    EXPECT_EQ(c[FrameInnerBottomRight], Palette[ColourBase]);
    ASSERT_TRUE(BevelFrameColours(1, c));
    EXPECT_EQ(c[FrameInnerTopLeft], 0x00E19C82u);
    EXPECT_EQ(c[FrameInnerBottomRight], 0x00C05438u);
    for (int style : {3, 4}) {
        ASSERT_TRUE(BevelFrameColours(style, c));
        EXPECT_EQ(c[FrameOuterTopLeft], Palette[ColourDark]);
        EXPECT_EQ(c[FrameOuterBottomRight], Palette[ColourLight]);
        EXPECT_EQ(c[FrameInnerTopLeft], 0x00C05438u);
        EXPECT_EQ(c[FrameInnerBottomRight], 0x00E19C82u);
    }
    for (int style : {-1, 2, 5, 6, 7, 8})
        EXPECT_FALSE(BevelFrameColours(style, c)) << style;
}

TEST(FaceRule, PressMovesOnceReleaseMovesBackOnceSunkenNever)
{
    int shifted = 0;
    auto step = [&](int style) {
        FaceMove m = FaceMoveFor(style, shifted);
        shifted = FaceShiftedAfter(m, shifted);
        return m;
    };
    EXPECT_EQ(step(3), FaceMovesDown);
    EXPECT_EQ(step(3), FaceStays);
    EXPECT_EQ(step(1), FaceMovesBack);
    EXPECT_EQ(step(1), FaceStays);
    EXPECT_EQ(step(4), FaceStays);
    EXPECT_EQ(step(0), FaceStays);
    EXPECT_EQ(shifted, 0);
    EXPECT_EQ(step(3), FaceMovesDown);
    EXPECT_EQ(step(4), FaceStays);
    EXPECT_EQ(shifted, 1);
    EXPECT_EQ(step(0), FaceMovesBack);
    EXPECT_EQ(shifted, 0);
    for (int style : {5, 6, 7})
        EXPECT_EQ(FaceMoveFor(style, 1), FaceStays);
    ExpectRect(FaceBlock(PanelRect{15, 119, 110, 137}), 17, 121, 107, 134, "face block");
}

TEST(TitleLooks, HotStateAndStylePickTheCell)
{
    struct Row {
        int hot, style;
        TitleButton button;
        int cell;
    };
    const Row rows[] = {
        {1, 5, TitleMinimize, 60},  {1, 6, TitleMinimize, 30},  {1, 7, TitleMinimize, 0},
        {2, 5, TitleClose, 75},     {2, 6, TitleClose, 45},     {2, 7, TitleClose, 15},
        {21, 5, TitleAbout, 223},   {21, 6, TitleAbout, 238},   {21, 7, TitleAbout, 208},
        {11, 5, TitleMinimize, 30}, {12, 5, TitleClose, 45},    {31, 5, TitleAbout, 238},
    };
    for (const Row& r : rows) {
        TitleLook look = TitleLookFor(r.hot, r.style);
        EXPECT_EQ(look.button, r.button) << r.hot << "/" << r.style;
        EXPECT_EQ(look.cellX, r.cell) << r.hot << "/" << r.style;
    }
    for (int hot : {11, 12, 31})
        for (int style : {6, 7})
            EXPECT_EQ(TitleLookFor(hot, style).button, TitleNone) << hot << "/" << style;
    for (int hot : {0, 3, 4, 6, 22})
        for (int style : {5, 6, 7})
            EXPECT_EQ(TitleLookFor(hot, style).button, TitleNone) << hot << "/" << style;
    EXPECT_EQ(TitleLookFor(1, 1).button, TitleNone);
}

TEST(RadioRule, LooksAndDot)
{
    RadioLook look;
    ASSERT_TRUE(RadioLookFor(0, &look));
    EXPECT_EQ(look.ring, 0x004EC3FAu);
    EXPECT_EQ(look.offFill, 0x00FFE1D9u);
    ASSERT_TRUE(RadioLookFor(1, &look));
    EXPECT_EQ(look.ring, 0x00FFE1D9u);
    ASSERT_TRUE(RadioLookFor(2, &look));
    EXPECT_EQ(look.ring, 0x00DD9E86u);
    EXPECT_EQ(look.offFill, 0x00DD9E86u);
    ASSERT_TRUE(RadioLookFor(3, &look));
    EXPECT_EQ(look.ring, 0x004EC3FAu);
    EXPECT_FALSE(RadioLookFor(4, &look));
    EXPECT_FALSE(RadioLookFor(-1, &look));
    // Thirteen distinct pixels, none set twice, all inside the dot ring's box.
    for (int i = 0; i < 13; ++i) {
        EXPECT_GE(RadioDot[i].x, 14);
        EXPECT_LT(RadioDot[i].x, 19);
        EXPECT_GE(RadioDot[i].y, 78);
        EXPECT_LT(RadioDot[i].y, 83);
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(RadioDot[i].x == RadioDot[j].x && RadioDot[i].y == RadioDot[j].y) << i << " " << j;
    }
    EXPECT_EQ(RadioDot[0].colour, 0x00962392u);
    EXPECT_EQ(RadioDot[5].colour, 0x00D551D0u);
    EXPECT_EQ(RadioDot[6].colour, 0x00B935B5u);
}

TEST(SliderTables, ThumbLeavesOnlyTheFourCorners)
{
    int painted[4][13] = {};
    for (const ColouredSpan& run : PanelThumbRuns)
        for (int y = run.y0; y <= run.y1; ++y)
            for (int x = run.x0; x <= run.x1; ++x)
                painted[x][y]++;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 13; ++y) {
            bool corner = (x == 0 || x == 3) && (y == 0 || y == 12);
            EXPECT_EQ(painted[x][y], corner ? 0 : 1) << x << "," << y;
        }
    }
}

TEST(PanelFonts, ScalableSubstitutesStayReadable)
{
    // The literal requests of the bitmap face are what a scalable face mangles:
    // every substitute asks for a real character height and a natural width.
    const FontRequest requests[] = {MoreCaptionFont, ButtonCaptionFont, ControlFontRequest,
                                    HeadingFont,     RadioLabelFont,    QuestionMarkFont};
    for (const FontRequest& r : requests) {
        FontRequest s = ScalableSubstitute(r);
        EXPECT_LE(s.height, -10) << r.height;
        EXPECT_GE(s.height, -13) << r.height;
        EXPECT_EQ(s.width, 0) << r.height;
        EXPECT_EQ(s.weight >= 700, r.weight >= 600) << r.height;
    }
    FontRequest other = ScalableSubstitute(FontRequest{22, 11, 700});
    EXPECT_EQ(other.height, 22);
    EXPECT_EQ(other.width, 0);
}
