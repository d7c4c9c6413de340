#include "panel/pin.h"

#include "app/shell.h"
#include "panel/gdi.h"
#include "panel/panel.h"
#include "panel/skin.h"
#include "panel/surface.h"
#include "tray/menu.h"

void TogglePanelPin(PinSource source)
{
    const RECT& pin = PinButtonRect;
    const RECT& face = PinFaceRect;
    PanelPinned = !PanelPinned;
    DrawBevel(BackBufferDC, pin.left, pin.top, pin.right, pin.bottom, PanelPinned ? 4 : 1);
    HotState = 4;
    FillSolid(BackBufferDC, face.left, face.top, face.right, face.bottom, Palette[ColourBase]);
    // Pinned: the pin seen from above; released: seen from the side.
    if (PanelPinned)
        BitBlt(BackBufferDC, pin.left + 7, pin.top + 3, 16, 16, SpriteStripDC, 90, 0, SRCCOPY);
    else
        BitBlt(BackBufferDC, pin.left + 3, pin.top + 3, 21, 17, SpriteStripDC, 106, 0, SRCCOPY);
    BitBlt(PanelDC, face.left, face.top, 22, 18, BackBufferDC, face.left, face.top, SRCCOPY);
    SetWindowPos(MainPanel, PanelPinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);

    if (source == PinFromButton && MenuShown) {
        DrawCheckMark(PanelPinned);
        PresentCheckMark();
    } else if (source == PinFromMenu && PanelPinned) {
        DrawCheckMark(1);
    }

    RECT all = {0, 0, static_cast<LONG>(PanelWidth), static_cast<LONG>(PanelHeight)};
    RedrawWindow(MainPanel, &all, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
