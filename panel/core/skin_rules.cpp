#include "panel/core/skin_rules.h"

static const Colour kRaisedInnerLight = Rgb(130, 156, 225);
static const Colour kRaisedInnerDark = Rgb(56, 84, 192);

bool BevelFrameColours(int style, Colour out[FramePartCount])
{
    switch (style) {
    case 0:
        out[FrameOuterTopLeft] = Palette[ColourLight];
        out[FrameOuterBottomRight] = Palette[ColourDark];
        out[FrameInnerTopLeft] = Palette[ColourBase];
        out[FrameInnerBottomRight] = Palette[ColourBase];
        return true;
    case 1:
        out[FrameOuterTopLeft] = Palette[ColourLight];
        out[FrameOuterBottomRight] = Palette[ColourDark];
        out[FrameInnerTopLeft] = kRaisedInnerLight;
        out[FrameInnerBottomRight] = kRaisedInnerDark;
        return true;
    case 3:
    case 4:
        out[FrameOuterTopLeft] = Palette[ColourDark];
        out[FrameOuterBottomRight] = Palette[ColourLight];
        out[FrameInnerTopLeft] = kRaisedInnerDark;
        out[FrameInnerBottomRight] = kRaisedInnerLight;
        return true;
    }
    return false;
}

void BevelFrameSpans(const PanelRect& r, FramePart part, PixelSpan out[2])
{
    const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    switch (part) {
    case FrameOuterTopLeft:
        out[0] = PixelSpan{l, t, rr - 1, t};
        out[1] = PixelSpan{l, t, l, b - 2};
        break;
    case FrameOuterBottomRight:
        out[0] = PixelSpan{l, b - 1, rr - 1, b - 1};
        out[1] = PixelSpan{rr - 1, t + 1, rr - 1, b - 1};
        break;
    case FrameInnerTopLeft:
        out[0] = PixelSpan{l + 1, t + 1, rr - 2, t + 1};
        out[1] = PixelSpan{l + 1, t + 1, l + 1, b - 3};
        break;
    default:
        out[0] = PixelSpan{l + 1, b - 2, rr - 2, b - 2};
        out[1] = PixelSpan{rr - 2, t + 2, rr - 2, b - 2};
        break;
    }
}

FaceMove FaceMoveFor(int style, int faceShifted)
{
    if (style == 3 && !faceShifted)
        return FaceMovesDown;
    if ((style == 0 || style == 1) && faceShifted)
        return FaceMovesBack;
    return FaceStays;
}

int FaceShiftedAfter(FaceMove move, int faceShifted)
{
    if (move == FaceMovesDown)
        return 1;
    if (move == FaceMovesBack)
        return 0;
    return faceShifted;
}

PanelRect FaceBlock(const PanelRect& r)
{
    PanelRect f = {r.left + 2, r.top + 2, r.right - 3, r.bottom - 3};
    return f;
}

TitleLook TitleLookFor(int hotState, int style)
{
    // Columns of the pressed, normal and hover cells of each button.
    static const int kMinimize[3] = {60, 30, 0};
    static const int kClose[3] = {75, 45, 15};
    static const int kAbout[3] = {223, 238, 208};
    TitleLook none = {TitleNone, 0};
    if (style < 5 || style > 7)
        return none;
    const int look = style - 5;
    switch (hotState) {
    case 1:
        return TitleLook{TitleMinimize, kMinimize[look]};
    case 2:
        return TitleLook{TitleClose, kClose[look]};
    case 21:
        return TitleLook{TitleAbout, kAbout[look]};
    }
    // After the pointer left a held button only the pressed style draws, and
    // then it puts the normal look back.
    if (style != 5)
        return none;
    switch (hotState) {
    case 11:
        return TitleLook{TitleMinimize, kMinimize[1]};
    case 12:
        return TitleLook{TitleClose, kClose[1]};
    case 31:
        return TitleLook{TitleAbout, kAbout[1]};
    }
    return none;
}

bool RadioLookFor(int look, RadioLook* out)
{
    const Colour hoverRing = Rgb(250, 195, 78);
    const Colour pale = Rgb(217, 225, 255);
    const Colour held = Rgb(134, 158, 221);
    switch (look) {
    case 0:
    case 3:
        *out = RadioLook{hoverRing, pale};
        return true;
    case 1:
        *out = RadioLook{pale, pale};
        return true;
    case 2:
        *out = RadioLook{held, held};
        return true;
    }
    return false;
}

const ColouredPixel RadioDot[13] = {
    {16, 82, Rgb(146, 35, 150)},
    {14, 80, Rgb(187, 74, 191)}, {15, 80, Rgb(187, 74, 191)},
    {16, 79, Rgb(187, 74, 191)}, {16, 78, Rgb(187, 74, 191)},
    {15, 79, Rgb(208, 81, 213)},
    {16, 80, Rgb(181, 53, 185)},
    {15, 81, Rgb(164, 39, 168)}, {16, 81, Rgb(164, 39, 168)},
    {17, 79, Rgb(164, 39, 168)}, {17, 80, Rgb(164, 39, 168)},
    {18, 80, Rgb(146, 35, 150)}, {17, 81, Rgb(146, 35, 150)},
};

const ColouredSpan PanelTrackLines[3] = {
    {1, 5, 54, 5, Rgb(39, 103, 227)},
    {0, 6, 55, 6, Rgb(42, 153, 255)},
    {1, 7, 54, 7, Rgb(102, 190, 255)},
};

const ColouredSpan PanelThumbRuns[7] = {
    {0, 1, 0, 11, Rgb(145, 134, 255)},
    {1, 0, 1, 0, Rgb(145, 134, 255)},
    {1, 1, 1, 12, Rgb(116, 102, 255)},
    {2, 0, 2, 0, Rgb(116, 102, 255)},
    {2, 1, 2, 11, Rgb(106, 48, 227)},
    {2, 12, 2, 12, Rgb(78, 7, 227)},
    {3, 1, 3, 11, Rgb(78, 7, 227)},
};

const ColouredSpan TargetGrooveRows[5] = {
    {1, 0, 192, 0, Rgb(77, 80, 189)},
    {0, 1, 193, 1, Rgb(100, 103, 197)},
    {0, 2, 193, 2, Rgb(85, 111, 211)},
    {0, 3, 193, 3, Rgb(116, 143, 219)},
    {1, 4, 192, 4, Rgb(133, 156, 224)},
};
