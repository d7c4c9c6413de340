// The tray menu: a skinned popup of three items drawn into its own back buffer.
// This module owns the TrayMenu window, its DCs, bitmaps and fonts, MenuShown
// and MenuHotItem.
#pragma once
#include <windows.h>

extern HWND TrayMenu;
extern int MenuShown;
extern int MenuHotItem;     // 0 none; 1..3 under the pointer; 11..13 left, still highlighted
extern RECT MenuItemRects[3];  // items 1, 2, 3
extern HDC MenuBackBuffer;  // NULL until the menu is first opened

// Opens the menu with its bottom-right corner at the screen point (x, y), or on
// the pointer's other side where that would leave the monitor; the first call
// builds it.
void ShowTrayMenu(int x, int y);
// Highlights item (1..3) in itemRect, clearing the row highlighted before;
// with reset, only clears that row.
void DrawMenuItem(const RECT& itemRect, int item, int reset);
// The steps after a choice: hide the menu, leave no row highlighted, MenuShown = 0.
void CloseTrayMenu();
// Draws item 1's check mark into the back buffer: black when on, otherwise in
// the colour of the row under it, which erases it.
void DrawCheckMark(int on);
// Copies the check mark's area to the menu window.
void PresentCheckMark();
