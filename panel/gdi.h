// Small helpers for the create-select-delete rule of drawing objects: every new
// pen, brush or font is selected at once and the object it displaces is deleted
// at once, unless that one is a stock object (or the same object again).
#pragma once
#include <windows.h>

#include "panel/core/fonts.h"
#include "panel/core/layout.h"

void UsePen(HDC dc, Colour colour, int width = 1);  // solid pen
// Selects any new object the same way.
void UseObject(HDC dc, HGDIOBJ object);
void UseBrush(HDC dc, Colour colour);         // solid brush
void UseHollowBrush(HDC dc);                  // the stock NULL_BRUSH
void UseFont(HDC dc, const FontRequest& font);  // from FontTemplate

// A brush made for this one fill and released after it.
void FillSolid(HDC dc, int left, int top, int right, int bottom, Colour colour);
// A line from (x0,y0) to (x1,y1) with both ends painted, in the selected pen.
void StrokeSpan(HDC dc, int x0, int y0, int x1, int y1);
