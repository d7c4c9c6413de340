// Bad input and faults on the real panel: nothing crashes or hangs, and the
// window last acted on stays remembered. Proved elsewhere: a vanished target (Actions.VanishedTarget*);
// a hung target, one in another process (Unresponsive.*); registry values of odd shapes, an unreadable key
// (Settings.*); more than 3,276 windows (Catalogue.FullTable*); the shell's "TaskbarCreated" (TrayCallback.*);
// the fold's timer in the About box's loop (AboutBox.*); closing and second copies of the real program (e2e Faults*).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "about/about.h"
#include "app/settings.h"
#include "catalogue/actions.h"
#include "catalogue/catalogue.h"
#include "panel/motion.h"
#include "panel/panel.h"
#include "tests/wine/harness.h"
#include "tests/wine/test_surface_checks.h"
#include "tray/tray.h"

namespace {

LONG ExStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

// Text arrives as a user pastes it (the digits-only style does not stop it), or, when longer than the edit
// shows (no auto-scroll stops a paste there), as another program would set it.
void Paste(HWND edit, const std::string& text)
{
    SetWindowTextA(edit, "");
    if (text.size() > 6) {
        SetWindowTextA(edit, text.c_str());
        return;
    }
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

bool QuitPosted()
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// A window that will not be layered: every style change loses that bit.
LRESULT CALLBACK RefusesLayered(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_EXSTYLE))
        reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~WS_EX_LAYERED;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Refuser, FaultTarget;
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

// Size reads the first four characters of each edit, position up to 254; both
// read a sign and leading digits and wrap past 32 bits.
TEST(Faults, GeometryEditsHoldingBadText)
{
    FreshPanel();
    HWND target = MakeWindow("Faults Target");
    ASSERT_TRUE(SelectTarget(target));
    // How each text parses is the host's CatalogueText.ParseDecimalEdges; here how much is read.
    const struct { std::string text; int size, place; } rows[] = {
        {"", 0, 0}, {"12ab", 12, 12}, {"75\xF5\xEF", 75, 75},  // "75хп"
        {std::string(250, ' ') + "-321", 0, -321},  // 254 characters; the size sees four blanks
        {std::string(251, '0') + "123", 0, 123}, {"4294967396", 4294, 100},  // 2^32 + 100
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("text \"" + row.text + "\"");
        // Away from where it was listed: the action reads the window as it is now.
        MoveWindow(target, 120, 130, 200, 150, TRUE);
        for (HWND edit : {WidthEdit, HeightEdit, LeftEdit, TopEdit}) {
            Paste(edit, row.text);
            ASSERT_EQ(Text(edit), row.text.substr(0, 255));
        }
        lstrcpyA(LastWindowText, "Earlier");
        PressButton(ApplySizeButton);
        EXPECT_EQ(Placed(target), Placed(120, 130, row.size, row.size));
        EXPECT_STREQ(LastWindowText, "Faults Target");
        lstrcpyA(LastWindowText, "Earlier");
        PressButton(ApplyPositionButton);
        EXPECT_EQ(Placed(target), Placed(row.place, row.place, row.size, row.size));
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
}

// Awkward targets: one that refuses the layered style, and the panel itself.
// Acting on the panel's own entry only changes its window: its flags (PanelPinned,
// PanelHidden, PanelLayered, PanelPlacement) stay as they were, and Close ends the program.
TEST(Faults, AwkwardTargets)
{
    FreshPanel();
    Refuser = MakeWindow("Faults Refuser", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, "VexloRefuser", RefusesLayered);
    ASSERT_EQ(ListAllWindows, 0);
    ASSERT_TRUE(SelectTarget(MainPanel)) << "the panel lists itself among the visible windows";
    ListAllWindows = 1;  // and stays listed while it is hidden
    RequestedWidth = 300;
    RequestedHeight = 200;
    RequestedLeft = 50;
    RequestedTop = 60;
    const struct { HWND* target; TargetAction action; float alpha; bool (*effect)(); } rows[] = {
        {&Refuser, ActionSetAlpha, 128, [] { return !(ExStyle(Refuser) & WS_EX_LAYERED); }},
        {&Refuser, ActionSetAlpha, 255, [] { return !(ExStyle(Refuser) & WS_EX_LAYERED); }},
        {&MainPanel, ActionUnpin, 255, [] { return !(ExStyle(MainPanel) & WS_EX_TOPMOST) && PanelPinned == 1; }},
        {&MainPanel, ActionPin, 255, [] { return (ExStyle(MainPanel) & WS_EX_TOPMOST) != 0; }},
        {&MainPanel, ActionHide, 255, [] { return !IsWindowVisible(MainPanel) && !PanelHidden && TargetHidden; }},
        {&MainPanel, ActionShow, 255, [] { return IsWindowVisible(MainPanel) && TargetHidden == 0; }},
        {&MainPanel, ActionMove, 255, [] { return Placed(MainPanel) == "50,60 370x150"; }},
        {&MainPanel, ActionResize, 255,
         [] { return Placed(MainPanel) == "50,60 300x200" && PanelPlacement.height == 150; }},
        {&MainPanel, ActionSetAlpha, 128, [] { return LayeredAlpha() == 128 && PanelLayered == 0; }},
        {&MainPanel, ActionSetAlpha, 255, [] { return !(ExStyle(MainPanel) & WS_EX_LAYERED); }},
        // The panel answers its own close request: the program ends, its title with it.
        {&MainPanel, ActionClose, 255, [] { return !IsWindow(MainPanel) && QuitPosted(); }},
    };
    for (const auto& row : rows) {
        HWND target = *row.target;
        const std::string title = row.action == ActionClose ? "" : Text(target);
        SCOPED_TRACE(testing::Message() << title << ": action " << row.action << ", alpha " << row.alpha);
        ASSERT_TRUE(SelectTarget(target));
        TargetAlpha = row.alpha;
        const DWORD start = GetTickCount();
        ApplyToTarget(row.action);
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_TRUE(row.effect());
        EXPECT_EQ(LastWindowText, title);
        EXPECT_EQ(StoredLastWindow(), Stored(title.c_str()));
    }
}

// Pointer input the user cannot quite produce (drags far past the screen's edges: Pointer.PanelDragHeldAtAnEdge*):
// bursts of presses and releases on the drawn controls with no message dispatched in between. Clicks one at a
// time on the AboutButton: e2e FirstGesture.*/AboutBox; the CloseButton after the tray: e2e PointerEndToEnd.Looks*.
TEST(Faults, PanelInputBeyondTheUsual)
{
    FreshPanel();
    FaultTarget = MakeWindow("Faults Target");
    ASSERT_TRUE(SelectTarget(FaultTarget));
    // Twelve clicks each: the pin comes back where it was, slider thumbs dragged
    // off their ends first stay put; the MoreButton's repeats restart one unfold;
    // About opens three times, one box at a time.
    UINT_PTR timer = SetTimer(NULL, 0, 100, CloseAboutBox);
    const struct {
        const RECT* rect;
        int clicks;
        std::function<bool()> effect;
        int dragToX = 0;  // the thumb dragged here first, its y kept
    } bursts[] = {
        {&SetTopmostButtonRect, 12, [] { return (ExStyle(FaultTarget) & WS_EX_TOPMOST) != 0; }},
        {&ClearTopmostButtonRect, 12, [] { return !(ExStyle(FaultTarget) & WS_EX_TOPMOST); }},
        {&PinButtonRect, 12, [] { return PanelPinned == 1 && (ExStyle(MainPanel) & WS_EX_TOPMOST) != 0; }},
        {&RefreshButtonRect, 12, [] { return SendMessageA(WindowCombo, CB_GETCOUNT, 0, 0) > 1; }},
        {&AllWindowsRadioRect, 12, [] { return ListAllWindows == 1 && ListVisibleOnly == 0; }},
        {&VisibleWindowsRadioRect, 12, [] { return ListAllWindows == 0 && ListVisibleOnly == 1; }},
        {&PanelOpacityThumb, 12,
         [] { return PanelAlpha == 127.0f && PanelOpacityThumb.left == 43 && ExStyle(MainPanel) & WS_EX_LAYERED; },
         45},
        {&AboutButtonRect, 3, [] { return AboutBoxesClosed == 3 && AboutOpen == 0; }},
        {&MoreButtonRect, 12, [] { return PanelExpanded == 1 && Placed(MainPanel).find("x300") != std::string::npos; }},
        {&TargetOpacityThumb, 12,
         [] {
             BYTE alpha = 0;
             GetLayeredWindowAttributes(FaultTarget, NULL, &alpha, NULL);
             return TargetAlpha == 123.0f && TargetOpacityThumb.left == 249 && alpha == 123;
         },
         252},
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
        if (b.rect == &CloseButtonRect)
            EXPECT_TRUE(b.effect());
        else
            EXPECT_TRUE(Within(3000, b.effect));
        EXPECT_TRUE(PointerFree());
        EXPECT_STREQ(LastWindowText, "Faults Target");
        EXPECT_NE(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    }
    KillTimer(NULL, timer);
    EXPECT_EQ(StoredLastWindow(), Stored("Faults Target"));
}
