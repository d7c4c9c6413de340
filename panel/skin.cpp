#include "panel/skin.h"

#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/catalogue.h"
#include "panel/core/skin_rules.h"
#include "panel/gdi.h"
#include "panel/panel.h"
#include "panel/surface.h"

int FaceShifted;

// Every direct copy to the screen sets the panel's alpha again; on a panel
// without the layered style the call changes nothing.
static void ReapplyPanelAlpha()
{
    if (LayeredAvailable)
        SetWindowAlpha(MainPanel, PanelAlpha);
}

static void DrawTitleLook(int style)
{
    TitleLook look = TitleLookFor(HotState, style);
    const RECT* button = NULL;
    switch (look.button) {
    case TitleMinimize:
        button = &MinimizeButtonRect;
        break;
    case TitleClose:
        button = &CloseButtonRect;
        break;
    case TitleAbout:
        button = &AboutButtonRect;
        break;
    case TitleNone:
        return;
    }
    // Hover and pressed looks go straight to the window; the BackBuffer keeps
    // the normal look, so a repaint shows that again.
    BitBlt(PanelDC, button->left, button->top, TitleCellWidth, TitleCellHeight, SpriteStripDC, look.cellX, 0,
           SRCCOPY);
}

static void DrawFrame(HDC dc, const PanelRect& r, int style)
{
    Colour colours[FramePartCount];
    if (!BevelFrameColours(style, colours))
        return;
    // Stroked in FramePart order: inner bottom-right, outer bottom-right,
    // outer top-left, inner top-left.
    for (int p = 0; p < FramePartCount; ++p) {
        UsePen(dc, colours[p]);
        PixelSpan spans[2];
        BevelFrameSpans(r, static_cast<FramePart>(p), spans);
        for (const PixelSpan& s : spans) {
            if (s.x1 >= s.x0 && s.y1 >= s.y0)
                StrokeSpan(dc, s.x0, s.y0, s.x1, s.y1);
        }
    }
    FaceMove move = FaceMoveFor(style, FaceShifted);
    PanelRect face = FaceBlock(r);
    int width = face.right - face.left;
    int height = face.bottom - face.top;
    // The blocks overlap; BitBlt within one DC copies from the picture as it was.
    if (move == FaceMovesDown)
        BitBlt(dc, face.left + 1, face.top + 1, width, height, dc, face.left, face.top, SRCCOPY);
    else if (move == FaceMovesBack)
        BitBlt(dc, face.left, face.top, width, height, dc, face.left + 1, face.top + 1, SRCCOPY);
    FaceShifted = FaceShiftedAfter(move, FaceShifted);
    BitBlt(PanelDC, r.left, r.top, r.right - r.left, r.bottom - r.top, dc, r.left, r.top, SRCCOPY);
}

void DrawBevel(HDC dc, int left, int top, int right, int bottom, int style)
{
    if (style >= 5 && style <= 7) {
        DrawTitleLook(style);
    } else {
        PanelRect r = {left, top, right, bottom};
        DrawFrame(dc, r, style);
    }
    ReapplyPanelAlpha();
}

void DrawRadio(int which, int look)
{
    RadioLook colours;
    if ((which == 0 || which == 1) && RadioLookFor(look, &colours)) {
        HDC dc = BackBufferDC;
        const int dx = which * RadioSpacing;
        const bool on = which == 0 ? ListVisibleOnly == 1 : ListAllWindows == 1;
        // An off radio gets a solid disc, which also covers an earlier dot; an
        // on radio is hollow so its dot survives hover and press.
        if (on)
            UseHollowBrush(dc);
        else
            UseBrush(dc, colours.offFill);
        UsePen(dc, colours.ring);
        Ellipse(dc, 12 + dx, 76, 21 + dx, 85);
        if (look == 3) {
            UsePen(dc, RadioDotRing);
            Ellipse(dc, 14 + dx, 78, 19 + dx, 83);
            for (const ColouredPixel& p : RadioDot)
                SetPixel(dc, p.x + dx, p.y, p.colour);
        }
        Ellipse(dc, 13 + dx, 77, 20 + dx, 84);
        BitBlt(PanelDC, 11 + dx, 75, 12, 12, dc, 11 + dx, 75, SRCCOPY);
    }
    ReapplyPanelAlpha();
}

void PresentPanel(int reapply)
{
    PAINTSTRUCT paint;
    BeginPaint(MainPanel, &paint);
    const RECT& r = paint.rcPaint;
    // Drawn through PanelDC, not the paint DC, like every other copy to the screen.
    BitBlt(PanelDC, r.left, r.top, r.right - r.left, r.bottom - r.top, BackBufferDC, r.left, r.top, SRCCOPY);
    EndPaint(MainPanel, &paint);
    if (reapply && LayeredAvailable && PanelLayered)
        SetWindowAlpha(MainPanel, PanelAlpha);
}
