// Saves screenshots of the running panel, folded and unfolded, of its open tray
// menu and of its About box, as PNG files.
// Usage: vexlo_shot <folder>; prints the paths it wrote. vexlo_shot --close asks
// the panel to close; vexlo_shot --keep only waits (see below).
#include <windows.h>

#include <cstdio>

#include "tools/shot/capture.h"

static bool WaitForPixel(HWND panel, int x, int y, COLORREF want, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        RECT r;
        GetWindowRect(panel, &r);
        if (ScreenPixel(r.left + x, r.top + y) == want)
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(50);
    }
}

static HWND WaitForWindowOf(HWND panel, const char* cls, const char* title, DWORD ms)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(panel, &pid);
    return WaitForProcessWindow(pid, cls, title, ms);
}

// Real pointer input, as a user makes it.
static void PointerTo(int x, int y)
{
    SendPointer(0, x, y);
    Sleep(100);
}

static void ClickAt(int x, int y)
{
    PointerTo(x, y);
    SendPointer(MOUSEEVENTF_LEFTDOWN, x, y);
    SendPointer(MOUSEEVENTF_LEFTUP, x, y);
}

// The tray menu, opened the way the notification area does it: the pointer
// rests near the screen's bottom-right corner and the icon reports a right release.
static bool ShootMenu(HWND panel, const char* path)
{
    RECT desk;
    GetClientRect(GetDesktopWindow(), &desk);
    SetCursorPos(desk.right - 40, desk.bottom - 30);
    PostMessageA(panel, 954, 1, WM_RBUTTONUP);
    HWND menu = WaitForWindowOf(panel, "Vexlo_menu", NULL, 15000);
    if (menu == NULL)
        return false;
    // The pointer over the second item shows the hover look.
    PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(100, 44));
    Sleep(500);
    bool ok = CaptureWindowPng(menu, 205, 88, path);
    // Released over the left strip: the menu closes and nothing else happens.
    PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(10, 44));
    PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(10, 44));
    return ok;
}

// The About box, opened with a click on the panel's AboutButton.
static bool ShootAbout(HWND panel, const char* path)
{
    RECT p;
    GetWindowRect(panel, &p);
    ClickAt(p.left + 318, p.top + 10);
    HWND box = WaitForWindowOf(panel, "#32770", "About Vexlo", 5000);
    if (box == NULL)
        return false;
    Sleep(800);  // the fade-in takes about 420 ms
    RECT r;
    GetWindowRect(box, &r);
    bool ok = CaptureWindowPng(box, r.right - r.left, r.bottom - r.top, path);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return ok;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: vexlo_shot <folder>\n");
        return 2;
    }
    HWND panel = NULL;
    if (lstrcmpA(argv[1], "--keep") == 0) {
        // Holds Wine's system processes up for a whole test run, started with no
        // pipes attached, so later programs' output pipes close when they end.
        Sleep(INFINITE);
        return 0;
    }
    if (lstrcmpA(argv[1], "--close") == 0) {
        panel = FindWindowA("Vexlo_App", "Vexlo");
        if (panel != NULL)
            PostMessageA(panel, WM_CLOSE, 0, 0);
        return panel != NULL ? 0 : 1;
    }
    for (int i = 0; i < 600 && panel == NULL; ++i) {
        panel = FindWindowA("Vexlo_App", "Vexlo");
        if (panel == NULL)
            Sleep(50);
    }
    if (panel == NULL) {
        fprintf(stderr, "vexlo_shot: the panel did not appear\n");
        return 1;
    }
    const COLORREF body = RGB(104, 126, 210);
    if (!WaitForPixel(panel, 3, 100, body, 15000))
        fprintf(stderr, "vexlo_shot: the panel's body never showed; capturing anyway\n");
    Sleep(300);
    char folded[MAX_PATH], unfolded[MAX_PATH];
    snprintf(folded, sizeof(folded), "%s\\vexlo-folded.png", argv[1]);
    snprintf(unfolded, sizeof(unfolded), "%s\\vexlo-unfolded.png", argv[1]);
    bool ok = CaptureWindowPng(panel, 370, 150, folded);

    // Unfolded as a user does it: a click on the MoreButton, then the pointer
    // over the body and away, so the button rests and the arrow points up.
    RECT p;
    GetWindowRect(panel, &p);
    ClickAt(p.left + 250, p.top + 128);
    PointerTo(p.left + 250, p.top + 100);
    PointerTo(0, 0);
    if (!WaitForPixel(panel, 3, 280, body, 15000) || !WaitForPixel(panel, 303, 129, RGB(0, 255, 0), 15000))
        fprintf(stderr, "vexlo_shot: the panel did not unfold; capturing anyway\n");
    Sleep(300);
    ok = CaptureWindowPng(panel, 370, 300, unfolded) && ok;
    if (!ok) {
        fprintf(stderr, "vexlo_shot: could not write the screenshots\n");
        return 1;
    }
    printf("%s\n%s\n", folded, unfolded);

    char menu[MAX_PATH], about[MAX_PATH];
    snprintf(menu, sizeof(menu), "%s\\vexlo-menu.png", argv[1]);
    snprintf(about, sizeof(about), "%s\\vexlo-about.png", argv[1]);
    if (!ShootMenu(panel, menu)) {
        fprintf(stderr, "vexlo_shot: the tray menu did not open\n");
        return 1;
    }
    printf("%s\n", menu);
    if (ShootAbout(panel, about))
        printf("%s\n", about);
    else
        fprintf(stderr, "vexlo_shot: no About box (this build's AboutButton does not open it)\n");
    return 0;
}
