// Tray callback, tray menu, the shared pin routine: pixels of the menu's back buffer and effects on the panel.
#include <gtest/gtest.h>

#include "panel/panel.h"
#include "panel/pin.h"
#include "tests/wine/harness.h"
#include "tests/wine/test_surface_checks.h"
#include "tray/menu.h"
#include "tray/tray.h"

namespace {

const COLORREF Ground = RGB(255, 255, 225), HoverFill = RGB(252, 152, 222), Black = RGB(0, 0, 0);
const int kRowY[3] = {15, 44, 73};  // a point inside each item's row, right of its label

LRESULT Tray(LPARAM mouse)
{
    return SendMessageA(MainPanel, TrayCallbackMessage, 1, mouse);
}

void OpenMenuAt(int x, int y)
{
    SetCursorPos(x, y);
    ASSERT_EQ(Tray(WM_RBUTTONUP), 1);
    PumpMessages(0);
}

void MoveTo(int x, int y)
{
    SendMessageA(TrayMenu, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

bool RowLit(int item)
{
    return GetPixel(MenuBackBuffer, 195, kRowY[item - 1]) == HoverFill;
}

// Onto the item's row straight from the next row, which must then go dark; for
// 11 to 13, on into the left strip before the release.
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
    PumpMessages(0);
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

TEST(TrayCallback, ReleasesShowAndOpenOtherMessagesChangeNothingTheIconComesBack)
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
    EXPECT_EQ(GetWindowLongA(TrayMenu, GWL_EXSTYLE), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
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

    // Left release on the shown panel: PanelHidden stays 0, the open menu keeps place and picture.
    MoveTo(100, kRowY[0]);
    EXPECT_EQ(Tray(WM_LBUTTONUP), 1);
    PumpMessages(100);
    EXPECT_TRUE(PanelHidden == 0 && IsWindowVisible(TrayMenu) && MenuHotItem == 1 && RowLit(1));
    EXPECT_EQ(Placed(TrayMenu), "395,412 205x88");  // where the right release put it
    ExpectIcon(1, 1, true);  // the icon's ground takes the hover colour too
    // A second right release moves the same window: e2e EndToEnd.TrayIconRightClick*.

    // A rebuilt notification area has lost the icon; the number a restarted shell broadcasts adds it again.
    NOTIFYICONDATAA record = TrayRecord;  // the panel's icon 1, as checked above
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
    ASSERT_FALSE(Shell_NotifyIconA(NIM_DELETE, &record));
    SendMessageA(MainPanel, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
}

TEST(TrayMenu, PictureFollowsPinnedAndHidden)
{
    BootPanel(true);
    OpenMenuAt(500, 400);
    HDC m = MenuBackBuffer;
    EXPECT_EQ(GetPixel(m, 204, 44), Black);  // the frame
    // The left strip: a gradient, neither ground nor hover, darker or lighter downwards.
    EXPECT_TRUE(GetPixel(m, 20, 4) != Ground && GetPixel(m, 20, 4) != GetPixel(m, 20, 84));
    // The caption: white, inside the strip, taller than wide (turned).
    Ink caption = InkOf(m, 0, 0, 41, 88, RGB(255, 255, 255));
    EXPECT_TRUE(caption.count > 40 && caption.left >= 1 && caption.right <= 23 && caption.bottom <= 76);
    EXPECT_GT(caption.bottom - caption.top, 2 * (caption.right - caption.left));

    // The panel starts pinned: the check mark is there, and goes with the pin.
    ExpectMark(true, false);
    ExpectIcon(1, 1, false);
    ExpectIcon(3, 70, false);
    PanelPinned = 0;
    OpenMenuAt(500, 400);
    ExpectMark(false, false);

    // Item 2 by PanelHidden: minimise icon and "Свернуть", or restore icon and the longer "Развернуть".
    ExpectIcon(2, 24, false);
    Ink shown = InkOf(m, 67, 31, 200, 57, Black);
    Choose(2);  // hides the panel
    ASSERT_EQ(PanelHidden, 1);
    OpenMenuAt(500, 400);
    ExpectIcon(2, 47, false);
    Ink hidden = InkOf(m, 67, 31, 200, 57, Black);
    EXPECT_TRUE(shown.count > 50 && hidden.right >= shown.right + 8 && hidden.right <= 204);
}

TEST(TrayMenu, ChoicesActOnThePanelAndLeaveNoHighlight)
{
    BootPanel(true);
    // 11 to 13: the row's highlight stays, but a release there only closes the menu.
    const struct { int item; int pinned, hidden; } kChoices[] = {
        {1, 0, 0}, {11, 0, 0}, {1, 1, 0}, {2, 1, 1}, {12, 1, 1}, {2, 1, 0}, {13, 1, 0}, {1, 0, 0}};
    for (const auto& c : kChoices) {
        OpenMenuAt(300, 250);  // the pointer off the panel, which answers its moves
        Choose(c.item);
        SCOPED_TRACE(testing::Message() << "item " << c.item << " to pinned " << c.pinned);
        EXPECT_TRUE(PanelPinned == c.pinned && PanelHidden == c.hidden && HotState == 4);
        EXPECT_EQ((GetWindowLongA(MainPanel, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.pinned == 1);
        EXPECT_EQ(IsWindowVisible(MainPanel) != 0, c.hidden == 0);
        EXPECT_TRUE(!IsWindowVisible(TrayMenu) && MenuShown == 0);
        // The next opening shows no highlighted row, and the mark as pinned says.
        OpenMenuAt(300, 250);
        EXPECT_FALSE(MenuHotItem != 0 || RowLit(1) || RowLit(2) || RowLit(3));
        ExpectMark(c.pinned == 1, false);
        MoveTo(5, 80);
        SendMessageA(TrayMenu, WM_LBUTTONUP, 0, 0);
    }
}

// With the menu hidden the pin leaves it alone: every showing draws the mark afresh (TrayMenu.*).
TEST(PanelPin, FromTheButtonTheOpenMenuFollowsAtOnce)
{
    BootPanel(true);
    // Menu hidden: an unpin leaves the back buffer's mark for the next showing to erase.
    OpenMenuAt(500, 400);
    CloseTrayMenu();
    PanelClick(350, 130);
    EXPECT_TRUE(PanelPinned == 0 && !(GetWindowLongA(MainPanel, GWL_EXSTYLE) & WS_EX_TOPMOST));
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
            EXPECT_EQ((GetWindowLongA(MainPanel, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, pinned == 1);
            // Sunken without a face move while pinned, raised while not; the pin from above or the side.
            ExpectBevel(p, pinned ? 4 : 1, "pin");
            if (pinned)
                SameBlock(BackBufferDC, p.left + 7, p.top + 3, SpriteStripDC, 90, 0, 16, 16, "pinned icon");
            else
                SameBlock(BackBufferDC, p.left + 3, p.top + 3, SpriteStripDC, 106, 0, 21, 17, "unpinned icon");
            SameBlock(PanelDC, p.left + 2, p.top + 2, BackBufferDC, p.left + 2, p.top + 2, 22, 18, "face on screen");
            ExpectMark(pinned == 1, lit);
            HDC menu = GetDC(TrayMenu);
            SameBlock(menu, 26, 7, MenuBackBuffer, 26, 7, 13, 15, "mark on the menu");
            ReleaseDC(TrayMenu, menu);
        }
    }
    // From the menu, a pin draws the mark for the next showing.
    CloseTrayMenu();
    TogglePanelPin(PinFromMenu);
    ExpectMark(true, false);
}
