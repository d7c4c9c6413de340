// The platform floor for the start-up budget: only the system work the panel
// cannot skip (version-6 controls through the same manifest, a tooltip, a combo
// box and an edit, one Cyrillic font with text, the settings read, the layered
// probe, a mutex, a notification icon), then one painted frame of the panel's
// size and colour.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "tools/bench/reference_window.h"

static const COLORREF kBody = RGB(104, 126, 210);
static HFONT Font;

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    switch (m) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        HBRUSH b = CreateSolidBrush(kBody);
        FillRect(dc, &ps.rcPaint, b);
        DeleteObject(b);
        HGDIOBJ old = SelectObject(dc, Font);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 10, 30, "\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5", 8);  // Cyrillic text
        SelectObject(dc, old);
        EndPaint(w, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

static void ReadSetting()
{
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Qorvsoft\\VexloFloor", 0, NULL, 0, KEY_ALL_ACCESS,
                        NULL, &key, &disposition) != ERROR_SUCCESS)
        return;
    char text[100];
    DWORD type, bytes = sizeof(text);
    RegQueryValueExA(key, "LastWindow", NULL, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
}

static bool ProbeLayered()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof(v);
    GetVersionExA(&v);
    HMODULE user32 = LoadLibraryA("User32.dll");
    return GetProcAddress(user32, "SetLayeredWindowAttributes") != NULL;
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int)
{
    if (CreateMutexA(NULL, FALSE, "VexloFloorRunning") && GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    ReadSetting();
    ProbeLayered();
    HWND w = ShowReferenceWindow(inst, "VexloFloor", Proc);

    LOGFONTA lf = {};
    lf.lfHeight = -11;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyA(lf.lfFaceName, "MS Sans Serif");
    Font = CreateFontIndirectA(&lf);
    HWND combo = CreateWindowExA(0, "COMBOBOX", NULL, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 8,
                                 48, 330, 180, w, NULL, inst, NULL);
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(Font), TRUE);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_NUMBER, 140, 162, 35, 17, w, NULL, inst, NULL);

    NOTIFYICONDATAA tray = {};
    tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    tray.hWnd = w;
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = 954;
    tray.hIcon = LoadIconA(inst, MAKEINTRESOURCEA(2));
    lstrcpyA(tray.szTip, "Floor");
    Shell_NotifyIconA(NIM_ADD, &tray);

    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, w, NULL, inst, NULL);
    UpdateWindow(w);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Shell_NotifyIconA(NIM_DELETE, &tray);
    return 0;
}
