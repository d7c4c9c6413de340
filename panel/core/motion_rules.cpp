#include "panel/core/motion_rules.h"

#include "panel/core/hot_state.h"

int SliderThumbLeft(const PanelRect& track, int thumbWidth, int left, int dx)
{
    left += dx;
    ClampToRect(track, &left, nullptr);
    if (left > track.right - thumbWidth)
        left = track.right - thumbWidth;
    return left;
}

int SliderAlpha(const PanelRect& track, int thumbRight)
{
    return ((thumbRight - track.left) * 255) / (track.right - track.left);
}

PanelOrigin DragPanelTo(PanelOrigin origin, int dx, int dy, int width, int height, float desktopWidth,
                        float desktopHeight)
{
    PanelRect bounds = {0, 0, static_cast<int>(desktopWidth - static_cast<float>(width)),
                        static_cast<int>(desktopHeight - static_cast<float>(height))};
    origin.left += dx;
    origin.top += dy;
    ClampToRect(bounds, &origin.left, &origin.top);
    return origin;
}

bool PutPanelBack(const StrayMove& move)
{
    if (move.fromElsewhere || move.actingOnPanel || move.putBackSpent || !move.placedShows)
        return false;
    return move.now.left != move.placed.left || move.now.top != move.placed.top;
}

FoldTick NextFoldHeight(float height, int expanded)
{
    FoldTick tick;
    tick.height = expanded ? height - FoldStep : height + FoldStep;
    tick.finished = expanded ? tick.height <= FoldedHeight : tick.height >= UnfoldedHeight;
    return tick;
}

PanelRect FoldArrowBox(const PanelRect& more)
{
    PanelRect box = {more.right - 17, more.top + 5, more.right - 5, more.top + 13};
    return box;
}

void FoldArrowTriangle(const PanelRect& more, int expanded, PanelPoint out[3])
{
    const int r = more.right, t = more.top;
    if (expanded) {
        out[0] = PanelPoint{r - 16, t + 12};
        out[1] = PanelPoint{r - 6, t + 12};
        out[2] = PanelPoint{r - 11, t + 6};
    } else {
        out[0] = PanelPoint{r - 15, t + 7};
        out[1] = PanelPoint{r - 6, t + 7};
        out[2] = PanelPoint{r - 11, t + 12};
    }
}
