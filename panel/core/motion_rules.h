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

// A move of the panel that no code of the program made, nor another program: the
// platform's own. Under X a window manager's late answer can carry a stale or
// half-made place (Wine applies it as it reads it), while the screen shows the
// panel where the program put it. Such a move is put back, once until the program
// places the panel again or it settles there, so a window manager that insists
// is not fought.
struct StrayMove {
    PanelOrigin now;     // where the move left the panel
    PanelOrigin placed;  // where the program last put it
    bool fromElsewhere;  // another thread or program asked for it
    bool actingOnPanel;  // the program's own action on the window it lists, the panel among them
    bool putBackSpent;   // put back once since the program placed it or it settled
    bool placedShows;    // a monitor still shows the place (the system moves windows off a removed one)
};
bool PutPanelBack(const StrayMove& move);

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
