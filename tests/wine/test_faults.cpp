// Bad input and faults on the real panel: nothing crashes or hangs, the window last acted on stays remembered.
// Elsewhere: Actions.* (awkward targets), Unresponsive.*, Settings.*, Catalogue.*, TrayMenu.*, AboutBox.*, e2e Faults.*.
#include <gtest/gtest.h>

#include <cstring>

#include "about/about.h"
#include "app/settings.h"
#include "catalogue/actions.h"
#include "panel/panel.h"
#include "tests/wine/harness.h"
#include "tray/tray.h"

namespace {

// Pasted as a user would (the digits-only style lets it through); longer than the edit shows, set as a program would.
void Paste(HWND edit, const std::string& text)
{
    SetWindowTextA(edit, text.size() > 6 ? text.c_str() : "");
    if (text.size() > 6)
        return;
    ASSERT_TRUE(OpenClipboard(MainPanel));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(edit, WM_PASTE, 0, 0);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

HWND FaultTarget;
int AboutBoxesClosed;

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", "About Vexlo");
    if (box == NULL || !IsWindowVisible(box))
        return;
    ++AboutBoxesClosed;
    PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

// Size reads the first four characters of each edit, position up to 254; both wrap past 32 bits. Then bursts
// of presses and releases on the drawn controls with no message dispatched in between (drags far past the
// screen's edges: Pointer.PanelDragHeldAtAnEdge*; single clicks: e2e PointerEndToEnd.QuickClick*).
TEST(Faults, GeometryEditsHoldingBadTextAndPanelInputBeyondTheUsual)
{
    FreshPanel();
    FaultTarget = MakeWindow("Faults Target");
    ASSERT_TRUE(SelectTarget(FaultTarget));
    // How each text parses is the host's CatalogueText.DecimalsParsedAndFormatted; here how much is read.
    const struct { std::string text; int size, place; } texts[] = {
        {"", 0, 0}, {"12ab", 12, 12}, {"75\xF5\xEF", 75, 75},  // "75хп"
        {std::string(250, ' ') + "-321", 0, -321},  // 254 characters; the size sees four blanks
        {std::string(251, '0') + "123", 0, 123}, {"4294967396", 4294, 100},  // 2^32 + 100
    };
    for (const auto& row : texts) {
        SCOPED_TRACE("text \"" + row.text + "\"");
        // Away from where it was listed: the action reads the window as it is now.
        MoveWindow(FaultTarget, 120, 130, 200, 150, TRUE);
        for (HWND edit : {WidthEdit, HeightEdit, LeftEdit, TopEdit}) {
            Paste(edit, row.text);
            ASSERT_EQ(Text(edit), row.text.substr(0, 255));
        }
        lstrcpyA(LastWindowText, "Earlier");
        PressButton(ApplySizeButton);
        EXPECT_EQ(Placed(FaultTarget), Placed(120, 130, row.size, row.size));
        EXPECT_STREQ(LastWindowText, "Faults Target");
        lstrcpyA(LastWindowText, "Earlier");
        PressButton(ApplyPositionButton);
        EXPECT_EQ(Placed(FaultTarget), Placed(row.place, row.place, row.size, row.size));
        EXPECT_STREQ(LastWindowText, "Faults Target");
        // The reset writes the enumerated size and leaves the position text alone.
        PressButton(SizeResetButton);
        EXPECT_EQ(Text(WidthEdit) + " " + Text(HeightEdit), "200 150");
        EXPECT_EQ(Text(LeftEdit), row.text.substr(0, 255));
        EXPECT_EQ(StoredLastWindow(), Stored("Faults Target"));
    }
    // With nothing selected the reset leaves the text alone.
    SendMessageA(WindowCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(WidthEdit, "5");
    PressButton(SizeResetButton);
    EXPECT_EQ(Text(WidthEdit), "5");

    ASSERT_TRUE(SelectTarget(FaultTarget));
    // The pin ends where it was, thumbs dragged off their ends stay put, repeats restart one unfold, About
    // opens three times, one box at a time.
    UINT_PTR timer = SetTimer(NULL, 0, 100, CloseAboutBox);
    // dragToX: the thumb dragged there first, its y kept.
    const struct { const RECT* rect; int clicks; std::function<bool()> effect; int dragToX = 0; } bursts[] = {
        {&SetTopmostButtonRect, 12, [] { return Topmost(FaultTarget); }},
        {&ClearTopmostButtonRect, 12, [] { return !Topmost(FaultTarget); }},
        {&PinButtonRect, 12, [] { return PanelPinned == 1 && Topmost(MainPanel); }},
        {&RefreshButtonRect, 12, [] { return SendMessageA(WindowCombo, CB_GETCOUNT, 0, 0) > 1; }},
        {&AllWindowsRadioRect, 12, [] { return ListAllWindows == 1 && ListVisibleOnly == 0; }},
        {&VisibleWindowsRadioRect, 12, [] { return ListAllWindows == 0 && ListVisibleOnly == 1; }},
        {&PanelOpacityThumb, 12,
         [] { return PanelAlpha == 127.0f && PanelOpacityThumb.left == 43 && ExStyle(MainPanel) & WS_EX_LAYERED; },
         45},
        {&AboutButtonRect, 3, [] { return AboutBoxesClosed == 3 && AboutOpen == 0; }},
        {&MoreButtonRect, 12, [] { return PanelExpanded == 1 && Placed(MainPanel).find("x300") != std::string::npos; }},
        {&TargetOpacityThumb, 12,
         [] { return TargetAlpha == 123.0f && TargetOpacityThumb.left == 249 && AlphaOf(FaultTarget) == 123; }, 252},
        {&MinimizeButtonRect, 12, [] { return PanelHidden == 1 && !IsWindowVisible(MainPanel); }},
        {&CloseButtonRect, 12, [] { return !IsWindow(MainPanel) && QuitPosted(); }},
    };
    for (const auto& b : bursts) {
        if (b.dragToX != 0) {
            const POINT from = Centre(*b.rect);
            SendMessageA(MainPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
            SendMessageA(MainPanel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.dragToX, from.y));
            SendMessageA(MainPanel, WM_LBUTTONUP, 0, MAKELPARAM(b.dragToX, from.y));
        }
        const POINT at = Centre(*b.rect);
        SCOPED_TRACE(testing::Message() << "clicks at " << at.x << "," << at.y);
        if (b.rect == &CloseButtonRect)  // back from the tray first
            SendMessageA(MainPanel, TrayCallbackMessage, 1, WM_LBUTTONUP);
        for (int i = 0; i < b.clicks; ++i)
            PanelClick(at.x, at.y);
        // Pumping would take the quit message that the CloseButton leaves.
        EXPECT_TRUE(b.rect == &CloseButtonRect ? b.effect() : Within(3000, b.effect));
        EXPECT_TRUE(PointerFree());
        EXPECT_STREQ(LastWindowText, "Faults Target");
        EXPECT_NE(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    }
    KillTimer(NULL, timer);
    EXPECT_EQ(StoredLastWindow(), Stored("Faults Target"));
}
