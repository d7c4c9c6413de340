// Skin control rendering. This module owns FaceShifted.
#pragma once
#include <windows.h>

extern int FaceShifted;

void DrawBevel(HDC dc, int left, int top, int right, int bottom, int style);
void DrawRadio(int which, int look);
void PresentPanel(int reapply);
