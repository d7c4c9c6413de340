// The drawing rules of the skin controls, free of platform calls: which colour
// each bevel frame pixel takes, when a pressed face moves, which sprite cell a
// title-strip look copies, and the radio and slider pixel tables.
#pragma once
#include "panel/core/layout.h"

// The four frame colours of a bevel, in the order they are stroked.
enum FramePart {
    FrameInnerBottomRight,
    FrameOuterBottomRight,
    FrameOuterTopLeft,
    FrameInnerTopLeft,
    FramePartCount,
};

// Colours of styles 0, 1, 3 and 4 indexed by FramePart; false for any other style.
bool BevelFrameColours(int style, Colour out[FramePartCount]);

// A horizontal or vertical run of pixels, both ends included.
struct PixelSpan {
    int x0, y0, x1, y1;
};
// The row and the column that make up one frame part of rectangle r.
void BevelFrameSpans(const PanelRect& r, FramePart part, PixelSpan out[2]);

// One flag for all buttons: a style-3 press moves the face one pixel right and
// down, the next flat or raised frame moves it back, style 4 never moves it.
enum FaceMove { FaceStays, FaceMovesDown, FaceMovesBack };
FaceMove FaceMoveFor(int style, int faceShifted);
int FaceShiftedAfter(FaceMove move, int faceShifted);
// The face block of r: starts at (left+2, top+2), r-l-5 by b-t-5 pixels.
PanelRect FaceBlock(const PanelRect& r);

// Title-strip looks (styles 5 pressed, 6 normal, 7 hover) picked by HotState.
enum TitleButton { TitleNone, TitleMinimize, TitleClose, TitleAbout };
struct TitleLook {
    TitleButton button;
    int cellX;  // left column of the 15 x 14 cell in the sprite strip
};
TitleLook TitleLookFor(int hotState, int style);

// Radio looks 0 (hover), 1 (normal), 2 (held), 3 (just chosen).
struct RadioLook {
    Colour ring;
    Colour offFill;
};
bool RadioLookFor(int look, RadioLook* out);
constexpr Colour RadioDotRing = Rgb(217, 166, 220);
constexpr int RadioSpacing = 125;  // AllWindowsRadio sits this far right of VisibleWindowsRadio

struct ColouredPixel {
    int x, y;
    Colour colour;
};
// The chosen dot of VisibleWindowsRadio, in the order it is set.
extern const ColouredPixel RadioDot[13];

// Coloured runs relative to an origin: the panel slider's track lines and thumb,
// and the rows of the target slider's groove.
struct ColouredSpan {
    int x0, y0, x1, y1;  // both ends included
    Colour colour;
};
// Relative to the track's (left, top); the track is 56 wide.
extern const ColouredSpan PanelTrackLines[3];
// Relative to the thumb's (left, top) in the strip: 4 x 13, corners left alone.
extern const ColouredSpan PanelThumbRuns[7];
// Relative to TargetOpacityLine's (left, top).
extern const ColouredSpan TargetGrooveRows[5];
