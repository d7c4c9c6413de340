#include "tray/core/menu_layout.h"

const MenuItemPlace MenuItems[3] = {
    {{23, 1, 204, 29}, 41, 3, 67, 7},
    {{23, 30, 204, 58}, 41, 32, 67, 36},
    {{23, 59, 204, 87}, 41, MenuHeight - 27, 67, 65},
};

const MenuPoint MenuCheckMark[3] = {{26, 12}, {31, 21}, {38, 7}};

int MenuIconSourceX(int item, int panelHidden)
{
    switch (item) {
    case 1:
        return 1;    // pin
    case 2:
        return panelHidden ? 47 : 24;  // restore : minimise
    default:
        return 70;   // exit
    }
}

const char* MenuLabel(int item, int panelHidden)
{
    switch (item) {
    case 1:
        return "Vexlo поверх всех";
    case 2:
        return panelHidden ? "Развернуть" : "Свернуть";
    default:
        return "Выход";
    }
}

MenuHover MenuHoverStep(int hotItem, int x, int y)
{
    for (int n = 1; n <= 3; ++n) {
        const PanelRect& r = MenuItems[n - 1].row;
        // Strict inside: a pointer on a row's edge is outside it.
        if (r.left < x && x < r.right && r.top < y && y < r.bottom) {
            MenuHover hit = {n, n};
            return hit;
        }
    }
    MenuHover none = {hotItem >= 1 && hotItem <= 3 ? hotItem + 10 : hotItem, 0};
    return none;
}

// One axis: before the pointer, else after it, else as far in as the area allows.
static int PlaceSpan(int at, int size, int low, int high)
{
    int start = at - size;
    if (start < low)
        start = at;
    if (start + size > high)
        start = high - size;
    if (start < low)
        start = low;
    return start;
}

MenuOrigin PlaceMenu(int x, int y, const PanelRect& monitor)
{
    MenuOrigin o = {PlaceSpan(x, MenuWidth, monitor.left, monitor.right),
                    PlaceSpan(y, MenuHeight, monitor.top, monitor.bottom)};
    return o;
}
