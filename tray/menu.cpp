#include "tray/menu.h"

#include "app/shell.h"
#include "panel/gdi.h"
#include "panel/panel.h"
#include "panel/pin.h"
#include "panel/surface.h"
#include "tray/core/menu_layout.h"

HWND TrayMenu;
int MenuShown;
int MenuHotItem;
RECT MenuItemRects[3];
HDC MenuBackBuffer;

static HDC MenuWindowDC;
static HDC MenuIconDC;   // holds MenuIconStrip: row 0 plain icons, row 1 on the hover colour
static HDC MenuArtDC;    // only for copying bitmaps 9 and 10
static HBRUSH MenuBackgroundBrush;
static HRGN MenuFrameRegion;
static LOGFONTA MenuFontRecord;
static int MenuBuilt;
static int LastHotItem;
static RECT LastHotRect;

static const char kMenuClass[] = "Vexlo_menu";

static void UseItemFont()
{
    UseObject(MenuBackBuffer, CreatePolicyFont(&MenuFontRecord, MenuItemFont.height, MenuItemFont.width,
                                               MenuItemFont.weight, false));
    SetTextColor(MenuBackBuffer, Palette[ColourMenuText]);
}

static void DrawLabel(int item)
{
    const MenuItemPlace& place = MenuItems[item - 1];
    const char* label = MenuLabel(item, PanelHidden);
    TextOutA(MenuBackBuffer, place.labelX, place.labelY, label, lstrlenA(label));
}

static void DrawIcon(int item, int sourceY)
{
    const MenuItemPlace& place = MenuItems[item - 1];
    BitBlt(MenuBackBuffer, place.iconX, place.iconY, MenuIconSize, MenuIconSize, MenuIconDC,
           MenuIconSourceX(item, PanelHidden), sourceY, SRCCOPY);
}

static void StrokeCheckMark(Colour colour)
{
    UsePen(MenuBackBuffer, colour, 2);
    POINT points[3];
    for (int i = 0; i < 3; ++i) {
        points[i].x = MenuCheckMark[i].x;
        points[i].y = MenuCheckMark[i].y;
    }
    Polyline(MenuBackBuffer, points, 3);
}

void DrawCheckMark(int on)
{
    bool rowLit = MenuHotItem == 1 || MenuHotItem == 11;
    StrokeCheckMark(on ? Palette[ColourMenuText] : (rowLit ? Palette[ColourMenuHover] : MenuBackground));
}

void PresentCheckMark()
{
    const PanelRect& a = MenuCheckArea;
    BitBlt(MenuWindowDC, a.left, a.top, a.right - a.left, a.bottom - a.top, MenuBackBuffer, a.left, a.top, SRCCOPY);
}

// Icon, label and, for item 1, the check mark; the row's ground is already there.
static void DrawItemContent(int item, int sourceY)
{
    DrawIcon(item, sourceY);
    DrawLabel(item);
    if (item == 1 && PanelPinned)
        StrokeCheckMark(Palette[ColourMenuText]);
}

static void FrameMenu()
{
    HBRUSH black = CreateSolidBrush(Palette[ColourMenuText]);
    FrameRgn(MenuBackBuffer, MenuFrameRegion, black, 1, 1);
    DeleteObject(black);
}

void DrawMenuItem(const RECT& itemRect, int item, int reset)
{
    if (!reset)
        FillSolid(MenuBackBuffer, itemRect.left, itemRect.top, itemRect.right, itemRect.bottom,
                  Palette[ColourMenuHover]);
    UseItemFont();
    // Moving back onto the row already lit only draws the highlight again.
    if (item != LastHotItem || reset) {
        if (LastHotItem != 0) {
            FillRect(MenuBackBuffer, &LastHotRect, MenuBackgroundBrush);
            DrawItemContent(LastHotItem, MenuIconPlainY);
        }
        LastHotRect = itemRect;
        LastHotItem = item;
    }
    if (!reset)
        DrawItemContent(item, MenuIconHotY);
    FrameMenu();
    // The left strip never changes, so it is not copied again.
    BitBlt(MenuWindowDC, MenuStripWidth, 0, MenuWidth - MenuStripWidth, MenuHeight, MenuBackBuffer, MenuStripWidth,
           0, SRCCOPY);
}

void CloseTrayMenu()
{
    ShowWindow(TrayMenu, SW_HIDE);
    DrawMenuItem(MenuItemRects[0], 1, 1);
    MenuShown = 0;
}

static LRESULT OnMenuPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, MenuBackBuffer, r.left, r.top, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

static LRESULT OnMenuMouseMove(LPARAM lParam)
{
    // Both halves unsigned: the menu only sees moves inside itself.
    int x = LOWORD(lParam);
    int y = HIWORD(lParam);
    MenuHover hover = MenuHoverStep(MenuHotItem, x, y);
    MenuHotItem = hover.hotItem;
    if (hover.drawItem != 0)
        DrawMenuItem(MenuItemRects[hover.drawItem - 1], hover.drawItem, 0);
    return 1;
}

static LRESULT OnMenuButtonUp()
{
    switch (MenuHotItem) {
    case 1:
        TogglePanelPin(PinFromMenu);
        break;
    case 2:
        if (PanelHidden) {
            ShowWindow(MainPanel, SW_SHOW);
            SetForegroundWindow(MainPanel);
            PanelHidden = 0;
        } else {
            ShowWindow(MainPanel, SW_HIDE);
            PanelHidden = 1;
        }
        break;
    case 3:
        // Destroys the panel before it returns; only WM_QUIT is left to come.
        SendMessageA(MainPanel, WM_CLOSE, 0, 0);
        break;
    }
    CloseTrayMenu();
    return 0;
}

static LRESULT CALLBACK TrayMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnMenuPaint(window);
    case WM_MOUSEMOVE:
        return OnMenuMouseMove(lParam);
    case WM_LBUTTONUP:
        return OnMenuButtonUp();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HDC CreateMenuDC(HDC compatible)
{
    HDC dc = CreateCompatibleDC(compatible);
    SetStretchBltMode(dc, HALFTONE);
    SetBkMode(dc, TRANSPARENT);
    SetGraphicsMode(dc, GM_ADVANCED);
    return dc;
}

static void CreateMenuWindow(int left, int top)
{
    MenuBackgroundBrush = CreateSolidBrush(MenuBackground);
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = TrayMenuProc;
    wc.hInstance = ModuleInstance;
    wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = MenuBackgroundBrush;
    wc.lpszClassName = kMenuClass;
    RegisterClassA(&wc);
    TrayMenu = CreateWindowExA(WS_EX_TOOLWINDOW, kMenuClass, NULL, WS_POPUP, left, top, MenuWidth, MenuHeight, NULL,
                               NULL, ModuleInstance, NULL);
    ShowWindow(TrayMenu, SW_SHOW);
    // The window owns this region; an identical one is kept for the frame.
    SetWindowRgn(TrayMenu, CreateRoundRectRgn(0, 0, MenuWidth + 1, MenuHeight + 1, 11, 11), TRUE);
    SetWindowPos(TrayMenu, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);
}

static void BuildIconStrip()
{
    HBITMAP strip = CreateCompatibleBitmap(BackBufferDC, 95, 53);
    SelectObject(MenuIconDC, strip);
    HGDIOBJ first = SelectObject(MenuArtDC, ArtBitmaps[9]);
    BitBlt(MenuIconDC, 0, 0, 95, 26, MenuArtDC, 0, 0, SRCCOPY);
    SelectObject(MenuArtDC, first);
    BitBlt(MenuIconDC, 0, 27, 95, 26, MenuIconDC, 0, 0, SRCCOPY);
    UseBrush(MenuIconDC, Palette[ColourMenuHover]);
    ExtFloodFill(MenuIconDC, 1, 28, MenuBackground, FLOODFILLSURFACE);
}

static void BuildMenu(const MenuOrigin& at)
{
    CreateMenuWindow(at.left, at.top);
    MenuWindowDC = GetDC(TrayMenu);
    MenuBackBuffer = CreateMenuDC(MenuWindowDC);
    SelectObject(MenuBackBuffer, CreateCompatibleBitmap(MenuWindowDC, MenuWidth, MenuHeight));
    RECT all = {0, 0, MenuWidth, MenuHeight};
    FillRect(MenuBackBuffer, &all, MenuBackgroundBrush);
    MenuIconDC = CreateMenuDC(MenuBackBuffer);
    MenuArtDC = CreateMenuDC(MenuBackBuffer);
    SetTextColor(MenuBackBuffer, Palette[ColourMenuText]);

    ZeroMemory(&MenuFontRecord, sizeof(MenuFontRecord));
    MenuFontRecord.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyA(MenuFontRecord.lfFaceName, "MS Sans Serif");
    UseItemFont();
    for (int item = 1; item <= 3; ++item)
        DrawLabel(item);

    HGDIOBJ first = SelectObject(MenuArtDC, ArtBitmaps[10]);
    StretchBlt(MenuBackBuffer, 0, 0, MenuStripWidth, MenuHeight, MenuArtDC, 0, 0, 1, 106, SRCCOPY);
    SelectObject(MenuArtDC, first);

    MenuFontRecord.lfEscapement = 900;
    MenuFontRecord.lfOrientation = 900;
    UseObject(MenuBackBuffer, CreatePolicyFont(&MenuFontRecord, MenuCaptionFont.height, MenuCaptionFont.width,
                                               MenuCaptionFont.weight, true));
    SetTextColor(MenuBackBuffer, Palette[ColourWhite]);
    TextOutA(MenuBackBuffer, 2, 75, "Vexlo", 5);
    MenuFontRecord.lfEscapement = 0;
    MenuFontRecord.lfOrientation = 0;

    MenuFrameRegion = CreateRoundRectRgn(0, 0, MenuWidth + 1, MenuHeight + 1, 11, 11);
    FrameMenu();
    BuildIconStrip();
    DrawIcon(1, MenuIconPlainY);
    DrawIcon(3, MenuIconPlainY);
    for (int i = 0; i < 3; ++i) {
        const PanelRect& r = MenuItems[i].row;
        SetRect(&MenuItemRects[i], r.left, r.top, r.right, r.bottom);
    }
    MenuBuilt = 1;
}

// The whole monitor under the pointer, not its work area: the icon sits in the
// taskbar, outside the work area, and the menu opens at the pointer there.
static MenuOrigin MenuPlaceFor(int x, int y)
{
    POINT at = {x, y};
    MONITORINFO monitor;
    monitor.cbSize = sizeof(monitor);
    RECT bound = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor))
        bound = monitor.rcMonitor;
    return PlaceMenu(x, y, AsPanelRect(bound));
}

void ShowTrayMenu(int x, int y)
{
    const MenuOrigin at = MenuPlaceFor(x, y);
    if (!MenuBuilt)
        BuildMenu(at);
    if (!MenuShown)
        MenuHotItem = 0;
    // Item 2 follows PanelHidden; its row keeps its highlight if it has one.
    bool lit = MenuHotItem == 2 || MenuHotItem == 12;
    const RECT& row = MenuItemRects[1];
    if (lit)
        FillSolid(MenuBackBuffer, row.left, row.top, row.right, row.bottom, Palette[ColourMenuHover]);
    else
        FillRect(MenuBackBuffer, &row, MenuBackgroundBrush);
    UseItemFont();
    DrawItemContent(2, lit ? MenuIconHotY : MenuIconPlainY);
    DrawCheckMark(PanelPinned);

    ShowWindow(TrayMenu, SW_SHOW);
    MenuShown = 1;
    SetWindowPos(TrayMenu, HWND_TOPMOST, at.left, at.top, 0, 0, SWP_NOSIZE);
    // Already on screen, the menu would keep its old picture of item 2 and the mark.
    // Without a menu window a null handle would repaint the whole desktop.
    if (TrayMenu != NULL)
        InvalidateRect(TrayMenu, NULL, FALSE);
}
