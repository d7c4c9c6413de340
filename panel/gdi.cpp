#include "panel/gdi.h"

#include "app/shell.h"

static bool IsStockObject(HGDIOBJ object)
{
    for (int i = WHITE_BRUSH; i <= DC_PEN; ++i) {
        if (GetStockObject(i) == object)
            return true;
    }
    return false;
}

// A NULL object (a failed creation) leaves the DC as it was.
void UseObject(HDC dc, HGDIOBJ object)
{
    if (object == NULL)
        return;
    HGDIOBJ displaced = SelectObject(dc, object);
    if (displaced != NULL && displaced != HGDI_ERROR && displaced != object && !IsStockObject(displaced))
        DeleteObject(displaced);
}

void UsePen(HDC dc, Colour colour, int width)
{
    UseObject(dc, CreatePen(PS_SOLID, width, colour));
}

void UseBrush(HDC dc, Colour colour)
{
    UseObject(dc, CreateSolidBrush(colour));
}

void UseHollowBrush(HDC dc)
{
    UseObject(dc, GetStockObject(NULL_BRUSH));
}

void UseFont(HDC dc, const FontRequest& font)
{
    UseObject(dc, CreateTemplateFont(font.height, font.width, font.weight));
}

void FillSolid(HDC dc, int left, int top, int right, int bottom, Colour colour)
{
    RECT area = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void StrokeSpan(HDC dc, int x0, int y0, int x1, int y1)
{
    // LineTo leaves out its end point, so go one pixel further along the line.
    int dx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    int dy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    if (dx == 0 && dy == 0)
        dx = 1;
    MoveToEx(dc, x0, y0, NULL);
    LineTo(dc, x1 + dx, y1 + dy);
}
