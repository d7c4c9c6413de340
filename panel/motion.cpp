#include "panel/motion.h"

#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/actions.h"
#include "panel/core/motion_rules.h"
#include "panel/gdi.h"
#include "panel/panel.h"
#include "panel/skin.h"
#include "panel/surface.h"

int DraggingPanel;
int DraggingPanelOpacity;
int DraggingTargetOpacity;
POINT DragLastPoint;

static const Colour kArrowGreen = Rgb(0, 255, 0);

// The clip this panel set, as the system keeps it (clamped to the screen); only
// that one is lifted, so a clip another program set since stays in force.
static int PutBackSpent;  // a stray move was put back since the last drag step or settled place
static RECT OwnClip;
static int OwnClipSet;

static void ClipToClient(HWND window, RECT area)
{
    ClientToScreen(window, reinterpret_cast<POINT*>(&area.left));
    ClientToScreen(window, reinterpret_cast<POINT*>(&area.right));
    ClipCursor(&area);
    OwnClipSet = GetClipCursor(&OwnClip);
}

static void LiftOwnClip()
{
    RECT now;
    if (OwnClipSet && GetClipCursor(&now) && EqualRect(&now, &OwnClip))
        ClipCursor(NULL);
    OwnClipSet = 0;
}

DragKind CurrentDrag()
{
    if (DraggingPanel)
        return DragPanel;
    if (DraggingPanelOpacity)
        return DragPanelSlider;
    return DraggingTargetOpacity ? DragTargetSlider : DragNone;
}

void ClipForDrag()
{
    RECT desktop;
    switch (CurrentDrag()) {
    case DragPanel:
        GetClientRect(DesktopWindow, &desktop);
        ClipToClient(DesktopWindow, desktop);
        break;
    case DragPanelSlider:
        ClipToClient(MainPanel, PanelOpacityTrack);
        break;
    case DragTargetSlider:
        ClipToClient(MainPanel, TargetOpacityTrack);
        break;
    case DragNone:
        break;
    }
}

void CatchUpDrag()
{
    POINT p;
    if (!GetCursorPos(&p))
        return;
    ScreenToClient(MainPanel, &p);
    switch (CurrentDrag()) {
    case DragPanel:
        PanelDragStep(p.x, p.y);
        break;
    case DragPanelSlider:
        PanelSliderStep(p.x);
        break;
    case DragTargetSlider:
        TargetSliderStep(p.x);
        break;
    case DragNone:
        break;
    }
}

void StartPanelDrag(int x, int y)
{
    DraggingPanel = 1;
    POINT p = {x, y};
    ClientToScreen(MainPanel, &p);
    DragLastPoint = p;
    SetCapture(MainPanel);
    ClipForDrag();
}

void PanelDragStep(int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(MainPanel, &p);
    PanelOrigin o = {PanelPlacement.left, PanelPlacement.top};
    o = DragPanelTo(o, p.x - DragLastPoint.x, p.y - DragLastPoint.y, PanelPlacement.width, PanelPlacement.height,
                    DesktopWidth, DesktopHeight);
    PanelPlacement.left = o.left;
    PanelPlacement.top = o.top;
    // The pointer, not the panel held at an edge, is the next step's origin.
    DragLastPoint = p;
    PutBackSpent = 0;
    MoveWindow(MainPanel, o.left, o.top, PanelPlacement.width, PanelPlacement.height, TRUE);
}

void OnPanelMoved(const WINDOWPOS* position)
{
    if ((position->flags & SWP_NOMOVE) || !(GetWindowLongA(MainPanel, GWL_STYLE) & WS_VISIBLE))
        return;
    const RECT placed = {PanelPlacement.left, PanelPlacement.top, PanelPlacement.left + PanelPlacement.width,
                         PanelPlacement.top + PanelPlacement.height};
    StrayMove move = {};
    move.now = {position->x, position->y};
    move.placed = {PanelPlacement.left, PanelPlacement.top};
    move.fromElsewhere = InSendMessage() != FALSE;
    move.actingOnPanel = ActingOnTarget != 0;
    move.putBackSpent = PutBackSpent != 0;
    move.placedShows = MonitorFromRect(&placed, MONITOR_DEFAULTTONULL) != NULL;
    if (!PutPanelBack(move))
        return;
    PutBackSpent = 1;
    // Later, not here: X hears nothing of a move made while Wine handles the
    // window manager's message about this one.
    PostMessageA(MainPanel, PutBackMessage, 0, 0);
}

LRESULT OnPutBack()
{
    RECT now;
    if (GetWindowRect(MainPanel, &now) && (now.left != PanelPlacement.left || now.top != PanelPlacement.top))
        SetWindowPos(MainPanel, NULL, PanelPlacement.left, PanelPlacement.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        PutBackSpent = 0;  // it came back by itself: the next stray move goes back too
    return 0;
}

static void StartSlider(int* flag, int x)
{
    *flag = 1;
    DragLastPoint.x = x;
    SetCapture(MainPanel);
    ClipForDrag();
}

void StartPanelSlider(int x)
{
    StartSlider(&DraggingPanelOpacity, x);
}

void StartTargetSlider(int x)
{
    StartSlider(&DraggingTargetOpacity, x);
}

// Moves a thumb by the pointer's step; returns its old left edge.
static int MoveThumb(RECT& thumb, const RECT& track, int width, int x)
{
    int old = thumb.left;
    thumb.left = SliderThumbLeft(AsPanelRect(track), width, old, x - DragLastPoint.x);
    thumb.right = thumb.left + width;
    DragLastPoint.x = x;
    return old;
}

static void CopyTrackToScreen(const RECT& track, int height)
{
    BitBlt(PanelDC, track.left, track.top, track.right - track.left, height, BackBufferDC, track.left, track.top,
           SRCCOPY);
}

void PanelSliderStep(int x)
{
    RECT& thumb = PanelOpacityThumb;
    const RECT& track = PanelOpacityTrack;
    int old = MoveThumb(thumb, track, PanelThumbWidth, x);
    // The clean track under the old thumb comes back from the strip's copy.
    BitBlt(BackBufferDC, old, thumb.top, PanelThumbWidth, 13, SpriteStripDC, 142 + old - track.left, 0, SRCCOPY);
    BitBlt(BackBufferDC, thumb.left, thumb.top, PanelThumbWidth, 13, SpriteStripDC, 198, 0, SRCCOPY);
    CopyTrackToScreen(track, 13);
    if (thumb.left == old)
        return;
    int alpha = SliderAlpha(AsPanelRect(track), thumb.right);
    PanelAlpha = static_cast<float>(alpha);
    if (alpha == 255) {
        RECT title = {0, 0, static_cast<int>(PanelWidth), 22};
        ClearOpacity(MainPanel, &title);
        PanelLayered = 0;
        return;
    }
    if (!PanelLayered) {
        SetWindowLongA(MainPanel, GWL_EXSTYLE, GetWindowLongA(MainPanel, GWL_EXSTYLE) | WS_EX_LAYERED);
        PanelLayered = 1;
    }
    PresentPanel(1);
}

void TargetSliderStep(int x)
{
    RECT& thumb = TargetOpacityThumb;
    const RECT& track = TargetOpacityTrack;
    int old = MoveThumb(thumb, track, TargetThumbWidth, x);
    FillSolid(BackBufferDC, old, thumb.top, old + TargetThumbWidth, thumb.bottom, Palette[ColourBase]);
    BitBlt(BackBufferDC, old, TargetOpacityLine.top, TargetThumbWidth, 5, SpriteStripDC, old - track.left, 18,
           SRCCOPY);
    BitBlt(BackBufferDC, thumb.left, thumb.top, TargetThumbWidth, 25, SpriteStripDC, 202, 0, SRCCOPY);
    CopyTrackToScreen(track, 25);
    if (thumb.left != old) {
        TargetAlpha = static_cast<float>(SliderAlpha(AsPanelRect(track), thumb.right));
        ApplyToTarget(ActionSetAlpha);
    }
    PresentPanel(1);
}

void EndDrag()
{
    // Flags first: letting the capture go reports back through WM_CAPTURECHANGED.
    DraggingTargetOpacity = 0;
    DraggingPanelOpacity = 0;
    DraggingPanel = 0;
    // A message box of ours may hold the capture now; it is not ours to take.
    if (GetCapture() == MainPanel)
        ReleaseCapture();
    LiftOwnClip();
}

// The two rows that close the folded panel, in one colour.
static void FoldedBottomRows(Colour colour)
{
    const int end = static_cast<int>(PanelWidth) - 2;
    UsePen(BackBufferDC, colour);
    MoveToEx(BackBufferDC, 2, FoldedHeight - 2, NULL);
    LineTo(BackBufferDC, end, FoldedHeight - 2);
    MoveToEx(BackBufferDC, 1, FoldedHeight - 1, NULL);
    LineTo(BackBufferDC, end, FoldedHeight - 1);
}

static void CopyFoldedBottomRows()
{
    BitBlt(PanelDC, 0, FoldedHeight - 2, static_cast<int>(PanelWidth), 2, BackBufferDC, 0, FoldedHeight - 2,
           SRCCOPY);
}

void StartFold()
{
    SetTimer(MainPanel, FoldTimerId, FoldTimerPeriod, NULL);
    if (PanelExpanded)
        return;
    FoldedBottomRows(Palette[ColourBase]);
    // The left border runs on through the erased rows.
    SetPixelV(BackBufferDC, 1, FoldedHeight - 1, Palette[ColourLight]);
    CopyFoldedBottomRows();
}

void DrawMoreArrow()
{
    PanelPoint corners[3];
    FoldArrowTriangle(AsPanelRect(MoreButtonRect), PanelExpanded, corners);
    POINT points[3];
    for (int i = 0; i < 3; ++i) {
        points[i].x = corners[i].x;
        points[i].y = corners[i].y;
    }
    HRGN triangle = CreatePolygonRgn(points, 3, ALTERNATE);
    HBRUSH green = CreateSolidBrush(kArrowGreen);
    FillRgn(BackBufferDC, triangle, green);
    DeleteObject(green);
    DeleteObject(triangle);
}

static void FinishFold()
{
    KillTimer(MainPanel, FoldTimerId);
    RECT window;
    GetWindowRect(MainPanel, &window);
    PanelPlacement.left = window.left;
    PanelPlacement.top = window.top;
    PanelExpanded = 1 - PanelExpanded;
    const PanelRect box = FoldArrowBox(AsPanelRect(MoreButtonRect));
    FillSolid(BackBufferDC, box.left, box.top, box.right, box.bottom, Palette[ColourBase]);
    DrawMoreArrow();
    if (!PanelExpanded) {
        FoldedBottomRows(Palette[ColourDark]);
        CopyFoldedBottomRows();
    }
    BitBlt(PanelDC, box.left + 1, box.top + 1, 10, 6, BackBufferDC, box.left + 1, box.top + 1, SRCCOPY);
    PresentPanel(1);
}

void OnFoldTimer(WPARAM id)
{
    if (id != FoldTimerId)
        return;
    FoldTick tick = NextFoldHeight(PanelHeight, PanelExpanded);
    PanelHeight = tick.height;
    const int height = static_cast<int>(PanelHeight);
    SetWindowPos(MainPanel, HWND_TOP, 0, 0, 370, height, SWP_NOMOVE);
    PanelPlacement.width = 370;
    PanelPlacement.height = height;
    PresentPanel(0);
    if (tick.finished)
        FinishFold();
}
