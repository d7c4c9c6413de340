// Tray callback, tray menu, the shared pin routine: pixels of the menu's back buffer and effects on the panel.
#include <gtest/gtest.h>

#include "panel/panel.h"
#include "panel/pin.h"
#include "tests/wine/harness.h"
#include "tray/menu.h"
#include "tray/tray.h"

namespace {

const COLORREF Ground = RGB(255, 255, 225), HoverFill = RGB(252, 152, 222), Black = RGB(0, 0, 0);
const int kRowY[3] = {15, 44, 73};  // a point inside each item's row, right of its label

LRESULT Tray(LPARAM mouse) { return SendMessageA(MainPanel, TrayCallbackMessage, 1, mouse); }

void OpenMenuAt(int x, int y)
{
    SetCursorPos(x, y);
    ASSERT_EQ(Tray(WM_RBUTTONUP), 1);
    PumpMessages();
}

void MoveTo(int x, int y) { SendMessageA(TrayMenu, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
bool RowLit(int item) { return GetPixel(MenuBackBuffer, 195, kRowY[item - 1]) == HoverFill; }

// Onto the item's row straight from the next row, which must go dark; for 11 to 13, on into the left strip.
void Choose(int item)
{
    const int row = item % 10, other = row % 3 + 1;
    MoveTo(195, kRowY[other - 1]);
    MoveTo(195, kRowY[row - 1]);
    EXPECT_TRUE(RowLit(row) && !RowLit(other)) << "one row lit, from " << other << " to " << row;
    if (item > 10)
        MoveTo(10, kRowY[row - 1]);
    ASSERT_EQ(MenuHotItem, item);
    SendMessageA(TrayMenu, WM_LBUTTONUP, 0, MAKELPARAM(195, kRowY[row - 1]));
    PumpMessages();
}

// Item 1's mark area holds only the row's ground (the hover colour while the row is lit) and, marked, the black mark.
void ExpectMark(bool marked, bool lit)
{
    const int ink = InkOf(MenuBackBuffer, 26, 7, 39, 22, Black).count;
    EXPECT_EQ(ink + InkOf(MenuBackBuffer, 26, 7, 39, 22, lit ? HoverFill : Ground).count, 13 * 15) << "lit " << lit;
    EXPECT_EQ(ink > 10, marked) << ink << " black pixels";
}

// The item's icon in the menu is bitmap 9's cell; highlighted, the ground around it takes the hover colour.
void ExpectIcon(int item, int sourceX, bool highlighted)
{
    HDC art = Artwork(9);
    const int top = 3 + 29 * (item - 1);
    int wrong = 0, lit = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            COLORREF want = GetPixel(art, sourceX + x, 1 + y), got = GetPixel(MenuBackBuffer, 41 + x, top + y);
            if (highlighted && want == Ground && got == HoverFill)
                ++lit;
            else if (got != want)
                ++wrong;
        }
    EXPECT_EQ(wrong, 0) << "item " << item << " icon from x " << sourceX;
    EXPECT_EQ(lit > 50, highlighted) << "item " << item << " ground on the hover colour";
}

}  // namespace

// The icon's releases show the panel and open the menu; other messages change nothing. A release on items 11
// to 13 only closes the menu. Each opening draws the mark as PanelPinned says, item 2 as PanelHidden says
// (minimise icon and "Свернуть", or restore icon and the longer "Развернуть"); the PinButton redraws it at once.
TEST(TrayMenu, IconCallbackPictureAndChoicesFollowPinnedAndHiddenAndThePinButton)
{
    BootPanel(true);
    // The record the shell got: its tip and the 16-pixel icon 2.
    const NOTIFYICONDATAA& t = TrayRecord;
    EXPECT_STREQ(t.szTip, "Vexlo");
    EXPECT_EQ(t.hIcon, LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(2)));
    EXPECT_TRUE(t.hWnd == MainPanel && t.uID == 1 && t.uFlags == 7 && t.uCallbackMessage == 954);
    ShowWindow(MainPanel, SW_HIDE);
    PanelHidden = 1;
    for (LPARAM other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MBUTTONUP})
        EXPECT_TRUE(Tray(other) == 0 && PanelHidden == 1 && !IsWindowVisible(MainPanel) && TrayMenu == NULL) << other;
    EXPECT_EQ(Tray(WM_LBUTTONUP), 1);
    EXPECT_TRUE(IsWindowVisible(MainPanel) && PanelHidden == 0);
    // The window manager hands the foreground over in its own time.
    EXPECT_TRUE(Within(10000, [] { return GetForegroundWindow() == MainPanel; }));

    // Right release: the menu's bottom-right corner at the pointer, above all windows.
    OpenMenuAt(600, 500);
    EXPECT_TRUE(IsWindowVisible(TrayMenu) && MenuShown == 1);
    EXPECT_EQ(ExStyle(TrayMenu), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    // Its class: byte-aligned client, the ground colour's brush; a region rounded at all four corners.
    LOGBRUSH brush = {};
    GetObjectA(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(TrayMenu, GCLP_HBRBACKGROUND)), sizeof(brush), &brush);
    EXPECT_TRUE(GetClassLongA(TrayMenu, GCL_STYLE) == CS_BYTEALIGNCLIENT && brush.lbColor == Ground);
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    ASSERT_NE(GetWindowRgn(TrayMenu, region), ERROR);
    const struct { int x, y; bool in; } kRegion[] = {{1, 1, false}, {204, 1, false}, {1, 87, false},
        {204, 87, false}, {102, 0, true}, {0, 44, true}, {204, 44, true}, {102, 87, true}};
    for (const auto& p : kRegion)
        EXPECT_EQ(PtInRegion(region, p.x, p.y) != 0, p.in) << p.x << "," << p.y;
    DeleteObject(region);
    HDC m = MenuBackBuffer;
    EXPECT_EQ(GetPixel(m, 204, 44), Black);  // the frame
    // The left strip: a gradient, neither ground nor hover, darker or lighter downwards.
    EXPECT_TRUE(GetPixel(m, 20, 4) != Ground && GetPixel(m, 20, 4) != GetPixel(m, 20, 84));
    // The caption: white, inside the strip, taller than wide (turned).
    Ink caption = InkOf(m, 0, 0, 41, 88, RGB(255, 255, 255));
    EXPECT_TRUE(caption.count > 40 && caption.left >= 1 && caption.right <= 23 && caption.bottom <= 76);
    EXPECT_GT(caption.bottom - caption.top, 2 * (caption.right - caption.left));
    ExpectMark(true, false);  // the panel starts pinned
    ExpectIcon(1, 1, false);
    ExpectIcon(3, 70, false);

    // Left release on the shown panel: PanelHidden stays 0, the open menu keeps place and picture.
    MoveTo(100, kRowY[0]);
    EXPECT_EQ(Tray(WM_LBUTTONUP), 1);
    PumpMessages(100);
    EXPECT_TRUE(PanelHidden == 0 && IsWindowVisible(TrayMenu) && MenuHotItem == 1 && RowLit(1));
    EXPECT_EQ(Placed(TrayMenu), "395,412 205x88");  // where the right release put it
    ExpectIcon(1, 1, true);  // the icon's ground takes the hover colour too

    // A second right release moves the same window, the pointer now off the panel, which answers its moves.
    HWND shown = TrayMenu;
    OpenMenuAt(300, 250);
    EXPECT_TRUE(TrayMenu == shown && Placed(TrayMenu) == "95,162 205x88");

    const struct { int item; int pinned, hidden; } kChoices[] = {
        {1, 0, 0}, {11, 0, 0}, {1, 1, 0}, {2, 1, 1}, {12, 1, 1}, {2, 1, 0}, {13, 1, 0}};
    Ink label[2] = {};
    for (const auto& c : kChoices) {
        Choose(c.item);
        SCOPED_TRACE(testing::Message() << "item " << c.item << " to pinned " << c.pinned);
        EXPECT_TRUE(PanelPinned == c.pinned && PanelHidden == c.hidden && HotState == 4);
        EXPECT_EQ(Topmost(MainPanel), c.pinned == 1);
        EXPECT_EQ(IsWindowVisible(MainPanel) != 0, c.hidden == 0);
        EXPECT_TRUE(!IsWindowVisible(TrayMenu) && MenuShown == 0);
        OpenMenuAt(300, 250);
        EXPECT_FALSE(MenuHotItem != 0 || RowLit(1) || RowLit(2) || RowLit(3));
        ExpectMark(c.pinned == 1, false);
        ExpectIcon(2, c.hidden ? 47 : 24, false);
        label[c.hidden] = InkOf(m, 67, 31, 200, 57, Black);
    }
    EXPECT_TRUE(label[0].count > 50 && label[1].right >= label[0].right + 8 && label[1].right <= 204);

    // An unpin from the PinButton leaves a hidden menu's mark for the next showing to erase.
    CloseTrayMenu();
    PanelClick(350, 130);
    EXPECT_TRUE(PanelPinned == 0 && !Topmost(MainPanel));
    ExpectMark(true, false);
    const RECT& p = PinButtonRect;
    // Menu shown, row 1 left for the strip (11), then not lit at all: the mark comes and goes on the row's ground.
    for (bool lit : {true, false}) {
        CloseTrayMenu();
        OpenMenuAt(500, 400);
        MoveTo(lit ? 100 : 10, kRowY[0]);  // unlit: the strip lights nothing
        MoveTo(10, kRowY[0]);
        for (int pinned : {1, 0}) {
            // Through the panel's own messages: the toggle comes with the press, the release adds nothing.
            SendMessageA(MainPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(350, 130));
            EXPECT_TRUE(PanelPinned == pinned && PressedControl == 0);
            SendMessageA(MainPanel, WM_LBUTTONUP, 0, MAKELPARAM(350, 130));
            EXPECT_TRUE(PanelPinned == pinned && HotState == 4);
            EXPECT_EQ(Topmost(MainPanel), pinned == 1);
            // Sunken without a face move while pinned, raised while not; the pin from above or the side.
            EXPECT_TRUE(GetPixel(BackBufferDC, p.left + 3, p.top) == (pinned ? D : L) &&
                        GetPixel(BackBufferDC, p.left + 3, p.top + 1) == (pinned ? InD : InL));
            SameBlock(BackBufferDC, p.left + (pinned ? 7 : 3), p.top + 3, SpriteStripDC, pinned ? 90 : 106, 0,
                      pinned ? 16 : 21, pinned ? 16 : 17, "pin icon");
            SameBlock(PanelDC, p.left, p.top, BackBufferDC, p.left, p.top, p.right - p.left, p.bottom - p.top, "pin");
            ExpectMark(pinned == 1, lit);
            SameBlock(GetDC(TrayMenu), 26, 7, MenuBackBuffer, 26, 7, 13, 15, "mark on the menu");
        }
    }
    // From the menu, a pin draws the mark for the next showing.
    CloseTrayMenu();
    TogglePanelPin(PinFromMenu);
    ExpectMark(true, false);

    // A rebuilt notification area has lost the icon; the number a restarted shell broadcasts adds it again.
    NOTIFYICONDATAA record = TrayRecord;  // the panel's icon 1, as checked above
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
    ASSERT_FALSE(Shell_NotifyIconA(NIM_DELETE, &record));
    SendMessageA(MainPanel, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
}
