// Panel surface: shape, off-screen picture, artwork, SpriteStrip, edit colours, tooltips.
// This module owns BackBuffer, ArtDC, SpriteStrip, EditBrush, the artwork bitmaps,
// the drawn-control rectangles and PanelTooltip.
#pragma once
#include <windows.h>

#include "panel/core/layout.h"

extern HDC BackBufferDC;
extern HBITMAP BackBuffer;
extern HDC ArtDC;
extern HDC SpriteStripDC;
extern HBITMAP SpriteStripBitmap;
extern HBRUSH EditBrush;
extern HWND PanelTooltip;
// Artwork bitmaps by resource id (index 0 unused); an entry is NULL once it has been deleted.
extern HBITMAP ArtBitmaps[11];

// Hot areas of the drawn controls, set during the build.
extern RECT AboutButtonRect, MinimizeButtonRect, CloseButtonRect;
extern RECT PanelOpacityTrack, PanelOpacityThumb;
extern RECT RefreshButtonRect, VisibleWindowsRadioRect, AllWindowsRadioRect;
extern RECT SetTopmostButtonRect, ClearTopmostButtonRect, MoreButtonRect;
extern RECT PinButtonRect, PinFaceRect;
extern RECT TargetOpacityTrack, TargetOpacityLine, TargetOpacityThumb;

inline PanelRect AsPanelRect(const RECT& r)
{
    PanelRect p = {r.left, r.top, r.right, r.bottom};
    return p;
}

// The window region: rounded top corners, square bottom, covering the unfolded height.
void SetPanelRegion();
// The stretches of the build, in start-up order (the shell runs its own steps
// between them). The first two draw all the folded panel shows; the rest, the
// unfolded rows and their child controls, may follow the first frame.
void BuildSurfaceFirst();
void BuildSurfaceSecond();
void BuildUnfoldedRows();    // the size and position rows with their child controls
void CreatePanelTooltip();   // common controls initialised, tooltip window created
void BuildSurfaceLast();
// After the window list is filled: the tooltip areas.
void RegisterTooltipAreas();
// MainPanel's WM_CTLCOLOREDIT.
LRESULT OnCtlColorEdit(HWND window, WPARAM wParam, LPARAM lParam);
// Teardown: the artwork still held, ArtDC, then the SpriteStrip DC.
void ReleaseArtwork();
