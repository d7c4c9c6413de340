// Skin rendering: frames and the face move, title and radio looks, copies to the screen, opacity re-applied.
#include <gtest/gtest.h>

#include "panel/panel.h"
#include "panel/skin.h"
#include "tests/wine/harness.h"

namespace {

void Bevel(const RECT& r, int style) { DrawBevel(BackBufferDC, r.left, r.top, r.right, r.bottom, style); }
COLORREF Pattern(int x, int y) { return RGB(x & 0xFF, y & 0xFF, (x * 7 + y) & 0xFF); }

void PaintPatternFace(const RECT& r)
{
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x)
            SetPixel(BackBufferDC, x, y, Pattern(x, y));
}

// The face block stands d pixels right and down of its place; d -1: a block never moved was moved back.
bool FaceAt(const RECT& r, int d)
{
    const int to = d > 0 ? d : 0, from = d < 0 ? -d : 0;
    for (int y = 0; y < r.bottom - r.top - 5; ++y)
        for (int x = 0; x < r.right - r.left - 5; ++x)
            if (GetPixel(BackBufferDC, r.left + 2 + to + x, r.top + 2 + to + y) !=
                Pattern(r.left + 2 + from + x, r.top + 2 + from + y))
                return false;
    return true;
}

// HotState, style, destination button left (0: nothing drawn), SpriteStrip cell.
const int kTitleCases[][4] = {
    {1, 5, 331, 60},   {1, 6, 331, 30},   {1, 7, 331, 0},   {2, 5, 351, 75},  {2, 6, 351, 45}, {2, 7, 351, 15},
    {21, 5, 311, 223}, {21, 6, 311, 238}, {21, 7, 311, 208}, {11, 5, 331, 30}, {12, 5, 351, 45}, {31, 5, 311, 238},
    {11, 7, 0, 0},     {12, 6, 0, 0},     {31, 7, 0, 0},    {0, 5, 0, 0},     {4, 7, 0, 0},     {6, 6, 0, 0},
};

}  // namespace

// A title look reaches the screen only. A face moves once per press and back once; sunken and title looks never
// move one. Every drawing call re-applies the panel's opacity, PresentPanel only when asked and while layered.
// Objects kept by the drawing calls: DrawingObjects.*.
TEST(Skin, TitleLooksOnScreenOnlyOneSharedFaceMoveOpacityReappliedByEveryCall)
{
    BootPanel(true);
    // Each title look exact on the screen only: a repaint shows the normal cells the BackBuffer keeps.
    const int normal[3][2] = {{311, 238}, {331, 30}, {351, 45}};
    for (const auto& c : kTitleCases) {
        InvalidateRect(MainPanel, NULL, FALSE);
        UpdateWindow(MainPanel);
        for (const auto& n : normal)
            SameBlock(PanelDC, n[0], 4, SpriteStripDC, n[1], 0, 15, 14, "normal after a repaint");
        HotState = c[0];
        DrawBevel(BackBufferDC, 0, 0, 0, 0, c[1]);
        for (const auto& n : normal)
            SameBlock(PanelDC, n[0], 4, SpriteStripDC, n[0] == c[2] ? c[3] : n[1], 0, 15, 14, "title look");
    }

    // A paint on request copies the invalid part only.
    RECT black = {100, 25, 220, 40}, area = {100, 25, 120, 40};
    FillRect(BackBufferDC, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InvalidateRect(MainPanel, &area, FALSE);
    PresentPanel(0);
    EXPECT_TRUE(GetPixel(PanelDC, 110, 30) == RGB(0, 0, 0) && GetPixel(PanelDC, 210, 30) == B);
    EXPECT_FALSE(GetUpdateRect(MainPanel, NULL, FALSE));

    const RECT &a = SetTopmostButtonRect, &b = ClearTopmostButtonRect;
    PaintPatternFace(a);
    PaintPatternFace(b);
    FaceShifted = 0;  // as after the start-up
    HotState = 1;  // style 6 draws the minimise button's look
    const struct { const RECT* r; int style, face, shifted; } steps[] = {
        {&a, 3, 1, 1}, {&a, 3, 1, 1}, {&a, 1, 0, 0}, {&a, 1, 0, 0}, {&a, 4, 0, 0}, {&a, 0, 0, 0},
        {&a, 3, 1, 1}, {&b, 4, 0, 1}, {&b, 6, 0, 1}, {&b, 0, -1, 0},
    };
    int step = 0;
    for (const auto& s : steps) {
        Bevel(*s.r, s.style);
        EXPECT_TRUE(FaceAt(*s.r, s.face) && FaceShifted == s.shifted) << "step " << step++;
    }

    SetWindowLongA(MainPanel, GWL_EXSTYLE, GetWindowLongA(MainPanel, GWL_EXSTYLE) | WS_EX_LAYERED);
    for (bool translucency : {true, false}) {
        TranslucencyForcedUnavailable = translucency ? 0 : 1;
        ProbeTranslucency();
        SetLayeredWindowAttributes(MainPanel, 0, 50, LWA_ALPHA);
        PanelLayered = 1;
        HotState = 0;
        const struct { float alpha; void (*draw)(); BYTE want; } rows[] = {
            {100.7f, [] { Bevel(SetTopmostButtonRect, 0); }, 100},
            {120, [] { DrawBevel(BackBufferDC, 0, 0, 0, 0, 6); }, 120},  // draws nothing, still re-applies
            {130, [] { DrawRadio(7, 0); }, 130},
            {150, [] { PresentPanel(0); }, 130}, {150, [] { PresentPanel(1); }, 150},
            {160, [] { PanelLayered = 0; PresentPanel(1); }, 150},
        };
        for (const auto& r : rows) {
            PanelAlpha = r.alpha;
            r.draw();
            EXPECT_EQ(AlphaOf(MainPanel), translucency ? r.want : 50) << "alpha " << r.alpha;
        }
    }
}
