// Saves screenshots of the running panel, folded and unfolded, as PNG files.
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

    // The lower half is already drawn off screen; a taller window shows it.
    SetWindowPos(panel, NULL, 0, 0, 370, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!WaitForPixel(panel, 3, 280, body, 15000))
        fprintf(stderr, "vexlo_shot: the unfolded area never showed; capturing anyway\n");
    Sleep(300);
    ok = CaptureWindowPng(panel, 370, 300, unfolded) && ok;
    SetWindowPos(panel, NULL, 0, 0, 370, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!ok) {
        fprintf(stderr, "vexlo_shot: could not write the screenshots\n");
        return 1;
    }
    printf("%s\n%s\n", folded, unfolded);
    return 0;
}
