// The tray menu's places, icon cells, labels and hover rule, free of platform
// calls. Coordinates are client coordinates of the 205 x 88 menu window.
#pragma once
#include "panel/core/layout.h"

constexpr int MenuWidth = 205;
constexpr int MenuHeight = 88;
constexpr int MenuStripWidth = 23;       // the left strip with the caption
constexpr Colour MenuBackground = Rgb(255, 255, 225);

struct MenuItemPlace {
    PanelRect row;
    int iconX, iconY;
    int labelX, labelY;
};
// Items 1 (stay on top), 2 (hide or restore), 3 (quit), at index item - 1.
extern const MenuItemPlace MenuItems[3];

// Icon cells in the icon strip: 24 x 24, plain row at y 1, highlighted at y 28.
constexpr int MenuIconSize = 24;
int MenuIconSourceX(int item, int panelHidden);
constexpr int MenuIconPlainY = 1;
constexpr int MenuIconHotY = 28;

const char* MenuLabel(int item, int panelHidden);

// The check mark of item 1: a polyline of three points and the area it covers.
struct MenuPoint {
    int x, y;
};
extern const MenuPoint MenuCheckMark[3];
constexpr PanelRect MenuCheckArea = {26, 7, 39, 22};

// One pointer move inside the menu: the new MenuHotItem and the item whose
// highlight is drawn (0: nothing is drawn). Leaving an item for no item keeps
// its highlight and adds 10 to its number.
struct MenuHover {
    int hotItem;
    int drawItem;
};
MenuHover MenuHoverStep(int hotItem, int x, int y);

// Where the menu opens for a pointer at (x, y) in screen coordinates: its
// bottom-right corner at the pointer wherever that fits the monitor, even over a
// taskbar outside the work area; across the monitor's edge it opens on the other
// side of the pointer, and where neither side fits it is kept inside the monitor.
struct MenuOrigin {
    int left, top;
};
MenuOrigin PlaceMenu(int x, int y, const PanelRect& monitor);
