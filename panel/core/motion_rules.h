// Arithmetic of the panel drag, the two opacity sliders and the fold, free of
// platform calls.
#pragma once
#include "panel/core/layout.h"

constexpr int PanelThumbWidth = 4;
constexpr int TargetThumbWidth = 6;

// A thumb's left edge moved by dx and held inside the track with room for the thumb.
int SliderThumbLeft(const PanelRect& track, int thumbWidth, int left, int dx);
// The opacity a thumb's right edge stands for, in integers, truncating.
int SliderAlpha(const PanelRect& track, int thumbRight);

struct PanelOrigin {
    int left;
    int top;
};
// The panel's origin moved with the pointer and kept on the desktop, whose size
// minus the panel's is taken in floating point and truncated.
PanelOrigin DragPanelTo(PanelOrigin origin, int dx, int dy, int width, int height, float desktopWidth,
                        float desktopHeight);

constexpr int FoldTimerId = 1;
constexpr int FoldTimerPeriod = 50;  // ms
constexpr int FoldStep = 25;         // pixels a tick
constexpr int FoldedHeight = 150;
constexpr int UnfoldedHeight = 300;

struct FoldTick {
    float height;
    bool finished;
};
// One timer tick: the direction comes from the state the fold started in, which
// flips only when the fold ends.
FoldTick NextFoldHeight(float height, int expanded);

struct PanelPoint {
    int x;
    int y;
};
// The MoreButton's arrow: the box cleared before it is drawn, and the triangle
// pointing up while unfolded and down while folded.
PanelRect FoldArrowBox(const PanelRect& more);
void FoldArrowTriangle(const PanelRect& more, int expanded, PanelPoint out[3]);
