#include "panel/core/layout.h"

static PanelRect Rect(int left, int top, int right, int bottom)
{
    PanelRect r = {left, top, right, bottom};
    return r;
}

ControlLayout LayoutControls(int w, int h)
{
    ControlLayout c;
    c.about = Rect(w - 59, 4, w - 45, 17);
    c.minimize = Rect(w - 39, 4, w - 25, 17);
    c.close = Rect(w - 19, 4, w - 4, 18);
    c.panelOpacityTrack = Rect(19, 5, 75, 17);
    c.refresh = Rect(w - 25, 48, w - 6, 70);
    c.visibleRadio = Rect(11, 75, 116, 86);
    c.allRadio = Rect(136, 75, 206, 86);
    c.setTopmost = Rect(15, h - 31, 110, h - 13);
    c.clearTopmost = Rect(119, h - 31, 190, h - 13);
    c.more = Rect(212, h - 32, 317, h - 12);
    c.pin = Rect(w - 34, h - 32, w - 6, h - 9);
    c.pinFace = Rect(c.pin.left + 2, c.pin.top + 2, c.pin.right - 2, c.pin.bottom - 2);
    c.targetOpacityTrack = Rect(161, 231, 355, 256);
    c.targetOpacityLine = Rect(c.targetOpacityTrack.left, c.targetOpacityTrack.top + 10,
                               c.targetOpacityTrack.right, c.targetOpacityTrack.bottom - 10);
    return c;
}

PanelRect PanelOpacityThumbAt(float alpha)
{
    // 56 is the track width; float arithmetic as the drag computes it.
    int x = static_cast<int>(19.0f + 56.0f * alpha / 255.0f);
    return Rect(x - 4, 5, x, 17);
}

PanelRect TargetOpacityThumbAt(float alpha)
{
    int x = static_cast<int>(161.0f + 194.0f * alpha / 255.0f);
    return Rect(x - 6, 231, x, 256);
}
