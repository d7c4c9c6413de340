// Pixel helpers shared by the surface and skin tests.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

struct ExpectedPixel {
    int x, y;
    COLORREF colour;
};

template <int N>
void CheckPixels(HDC dc, const ExpectedPixel (&pixels)[N], const char* where)
{
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << where << " (" << p.x << "," << p.y << ")";
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

inline int CountColour(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += GetPixel(dc, x, y) == colour;
    return n;
}

// An artwork bitmap loaded afresh from the resources into its own memory DC.
struct Artwork {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    explicit Artwork(int id)
    {
        bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
        dc = CreateCompatibleDC(NULL);
        previous = SelectObject(dc, bitmap);
    }
    ~Artwork()
    {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};
