// Pixel helpers and colours shared by the surface and skin tests.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include "app/shell.h"
#include "app/translucency.h"
#include "panel/surface.h"

const COLORREF W = RGB(255, 255, 255), B = RGB(104, 126, 210), L = RGB(155, 177, 255), D = RGB(35, 51, 156);
const COLORREF InL = RGB(130, 156, 225), InD = RGB(56, 84, 192), Pale = RGB(217, 225, 255);

struct ExpectedPixel { int x, y; COLORREF colour; };

// The chosen dot of VisibleWindowsRadio.
const ExpectedPixel kRadioDot[13] = {
    {16, 82, RGB(146, 35, 150)}, {14, 80, RGB(187, 74, 191)}, {15, 80, RGB(187, 74, 191)}, {16, 79, RGB(187, 74, 191)},
    {16, 78, RGB(187, 74, 191)}, {15, 79, RGB(208, 81, 213)}, {16, 80, RGB(181, 53, 185)}, {15, 81, RGB(164, 39, 168)},
    {16, 81, RGB(164, 39, 168)}, {17, 79, RGB(164, 39, 168)}, {17, 80, RGB(164, 39, 168)}, {18, 80, RGB(146, 35, 150)},
    {17, 81, RGB(146, 35, 150)},
};

template <int N>
void CheckPixels(HDC dc, const ExpectedPixel (&pixels)[N], const char* where, int dx = 0)
{
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(GetPixel(dc, p.x + dx, p.y), p.colour) << where << " (" << p.x + dx << "," << p.y << ")";
}

// A w x h block of a equals the block of b; reports the first difference only.
inline bool SameBlock(HDC a, int ax, int ay, HDC b, int bx, int by, int w, int h, const char* what)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(a, ax + x, ay + y) != GetPixel(b, bx + x, by + y)) {
                ADD_FAILURE() << what << ": differs at (" << ax + x << "," << ay + y << ")";
                return false;
            }
    return true;
}

// Bounding box and count of the pixels of colour c in [left,right) x [top,bottom).
struct Ink { int count, left, top, right, bottom; };
inline Ink InkOf(HDC dc, int left, int top, int right, int bottom, COLORREF c)
{
    Ink ink = {0, right, bottom, left, top};
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (GetPixel(dc, x, y) == c) {
                ++ink.count;
                ink.left = x < ink.left ? x : ink.left;
                ink.top = y < ink.top ? y : ink.top;
                ink.right = x >= ink.right ? x + 1 : ink.right;
                ink.bottom = y >= ink.bottom ? y + 1 : ink.bottom;
            }
    return ink;
}

// The outer and inner top-left frame pixels of each bevel style, in the BackBuffer and on the screen.
inline void ExpectBevel(const RECT& r, int style, const char* step)
{
    COLORREF outer = style >= 3 ? D : L;
    COLORREF inner = style == 0 ? B : style == 1 ? InL : InD;
    EXPECT_EQ(GetPixel(BackBufferDC, r.left + 3, r.top), outer) << step;
    EXPECT_EQ(GetPixel(BackBufferDC, r.left + 3, r.top + 1), inner) << step;
    SameBlock(PanelDC, r.left, r.top, BackBufferDC, r.left, r.top, r.right - r.left, 2, step);
}

// An artwork bitmap loaded afresh into its own memory DC; the test process ends soon after.
inline HDC Artwork(int id)
{
    HDC dc = CreateCompatibleDC(NULL);
    SelectObject(dc, LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    return dc;
}

inline BYTE LayeredAlpha()
{
    BYTE alpha = 0;
    GetLayeredWindowAttributes(MainPanel, NULL, &alpha, NULL);
    return alpha;
}
