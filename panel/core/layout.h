// Panel geometry and colours without platform headers, so the arithmetic is
// testable natively. Colours use the COLORREF layout 0x00BBGGRR.
#pragma once
#include <cstdint>

typedef std::uint32_t Colour;

constexpr Colour Rgb(int r, int g, int b)
{
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// The palette, kept together in this order: the panel uses the first four,
// the tray menu the last two.
enum PaletteEntry {
    ColourWhite,
    ColourBase,
    ColourLight,
    ColourDark,
    ColourMenuText,
    ColourMenuHover,
};
inline constexpr Colour Palette[6] = {
    Rgb(255, 255, 255), Rgb(104, 126, 210), Rgb(155, 177, 255),
    Rgb(35, 51, 156),   Rgb(0, 0, 0),       Rgb(252, 152, 222),
};

// (left,top)-(right,bottom), right and bottom exclusive, like the platform's RECT.
struct PanelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Width and height of the off-screen picture and of the sprite strip.
constexpr int BackBufferHeight = 300;
constexpr int SpriteStripWidth = 253;
constexpr int SpriteStripHeight = 25;
constexpr int TitleCellWidth = 15;
constexpr int TitleCellHeight = 14;

// Hot areas of the drawn controls, from the folded client size (370 x 150).
struct ControlLayout {
    PanelRect about;
    PanelRect minimize;
    PanelRect close;
    PanelRect panelOpacityTrack;
    PanelRect refresh;
    PanelRect visibleRadio;
    PanelRect allRadio;
    PanelRect setTopmost;
    PanelRect clearTopmost;
    PanelRect more;
    PanelRect pin;
    PanelRect pinFace;
    PanelRect targetOpacityTrack;
    PanelRect targetOpacityLine;
};
ControlLayout LayoutControls(int width, int height);

// Thumb rectangles for an alpha of 0..255; the position is computed in single
// precision and truncated toward zero.
PanelRect PanelOpacityThumbAt(float alpha);
PanelRect TargetOpacityThumbAt(float alpha);
