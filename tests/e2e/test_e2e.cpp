// The real vexlo.exe, started as its own process and watched from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/e2e/driver.h"
#include "tools/shot/capture.h"

TEST(EndToEnd, PanelStartsCentredAndClosesWithCodeOne)
{
    Launched first = Launch();
    ASSERT_TRUE(first.ok) << ExePath();
    HWND panel = WaitForPanel(first.pi.dwProcessId, 30000);
    ASSERT_TRUE(panel != NULL) << "no visible Vexlo_App window titled Vexlo";

    LONG ex = GetWindowLongA(panel, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    RECT r, desk;
    GetWindowRect(panel, &r);
    GetClientRect(GetDesktopWindow(), &desk);
    EXPECT_TRUE(r.right - r.left == 370 && r.bottom - r.top == 150);
    EXPECT_EQ(r.left, static_cast<int>((desk.right - 370) * 0.5f));
    EXPECT_EQ(r.top, static_cast<int>((desk.bottom - 150) * 0.5f));
    // The region: wine Surface.RegionRoundedTopSquareBottomAtBothHeights; a second copy:
    // e2e Faults.SecondCopyInEveryStateLeavesAtOnceAndTheFirstUnchanged.
    EXPECT_EQ(ClosePanel(panel, first), 1u);
}

TEST(EndToEnd, ScreenshotsFoldedAndUnfolded)
{
    const char* dir = std::getenv("VEXLO_SHOTS");
    if (dir == NULL)
        GTEST_SKIP() << "VEXLO_SHOTS not set";
    std::string folder = std::string("Z:") + dir;
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    Launched app = Launch();
    ASSERT_TRUE(app.ok);
    HWND panel = WaitForPanel(app.pi.dwProcessId, 30000);
    ASSERT_TRUE(panel != NULL);

    // Wait for the first picture: the body colour below the title strip.
    const COLORREF body = RGB(104, 126, 210);
    RECT r;
    GetWindowRect(panel, &r);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(r.left + 3, r.top + 100) == body; }, 15000));
    std::string folded = folder + "\\vexlo-folded.png";
    EXPECT_TRUE(CaptureWindowPng(panel, 370, 150, folded.c_str()));

    // A real unfold with the pointer, which then leaves the button in its resting look.
    ClickAt(r.left + 250, r.top + 128);
    PointerTo(r.left + 250, r.top + 100);
    PointerTo(0, 0);
    EXPECT_TRUE(WaitFor([&] {
        return ScreenPixel(r.left + 3, r.top + 280) == body && ScreenPixel(r.left + 303, r.top + 129) == RGB(0, 255, 0);
    }));
    std::string unfolded = folder + "\\vexlo-unfolded.png";
    EXPECT_TRUE(CaptureWindowPng(panel, 370, 300, unfolded.c_str()));

    EXPECT_EQ(ClosePanel(panel, app), 1u);
}

namespace {

// Wine shows tray icons in its own window when the desktop has no notification
// area: one child window per icon, the newest last.
BOOL CALLBACK LastIconWindow(HWND w, LPARAM lp)
{
    char cls[64] = "";
    if (GetClassNameA(w, cls, sizeof(cls)) && std::strcmp(cls, "__winex11_tray_icon") == 0 && IsWindowVisible(w))
        *reinterpret_cast<HWND*>(lp) = w;
    return TRUE;
}

HWND WaitForTrayIcon(DWORD ms)
{
    HWND icon = NULL;
    WaitFor([&] {
        EnumChildWindows(FindWindowA("__winex11_standalone_tray", NULL), LastIconWindow, (LPARAM)&icon);
        return icon != NULL;
    }, ms);
    return icon;
}

void ClickRight()
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, in, sizeof(INPUT));
}

}  // namespace

TEST(EndToEnd, TrayIconRightClickOpensTheMenuAndQuitEndsWithOne)
{
    Launched app = Launch();
    ASSERT_TRUE(app.ok);
    HWND panel = WaitForPanel(app.pi.dwProcessId, 30000);
    ASSERT_TRUE(panel != NULL);
    HWND icon = WaitForTrayIcon(15000);
    ASSERT_TRUE(icon != NULL) << "no icon in Wine's tray window";

    // A real right click on the icon opens the menu above all windows. (Wine's tray
    // sits in the top-left corner, so the menu lies mostly off screen there.)
    RECT r;
    GetWindowRect(icon, &r);
    POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    HWND menu = NULL;
    // The icon can be listed a moment before it is on screen; click again until it answers.
    for (int attempt = 0; attempt < 8 && menu == NULL; ++attempt) {
        SetCursorPos(at.x, at.y);
        ClickRight();
        menu = WaitForProcessWindow(app.pi.dwProcessId, "Vexlo_menu", NULL, 2000);
    }
    ASSERT_TRUE(menu != NULL) << "the tray menu did not open";
    EXPECT_NE(GetWindowLongA(menu, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    // Again, as the tray reports it, from near the screen's corner: the same window
    // moves there, its bottom-right corner at the pointer.
    RECT desk;
    GetClientRect(GetDesktopWindow(), &desk);
    SetCursorPos(desk.right - 40, desk.bottom - 30);
    SendNotifyMessageA(panel, 954, 1, WM_RBUTTONUP);
    EXPECT_TRUE(WaitFor([&] { return GetWindowRect(menu, &r) && r.right == desk.right - 40; }, 15000));
    EXPECT_EQ(r.bottom, desk.bottom - 30);
    EXPECT_EQ(WaitForProcessWindow(app.pi.dwProcessId, "Vexlo_menu", NULL, 0), menu);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(r.left + 195, r.top + 15) == RGB(255, 255, 225); }, 15000));
    if (const char* dir = std::getenv("VEXLO_SHOTS")) {
        std::string path = std::string("Z:") + dir + "\\vexlo-menu.png";
        PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(100, 44));  // the hover look on item 2
        Sleep(500);
        EXPECT_TRUE(CaptureWindowPng(menu, 205, 88, path.c_str()));
    }

    // "Выход": the program ends with exit code 1.
    PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(100, 73));
    PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(100, 73));
    EXPECT_EQ(WaitExit(app, 30000), 1u);
    CloseHandles(app);
}
