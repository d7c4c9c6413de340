#include "tests/wine/harness.h"

#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/catalogue.h"
#include "panel/motion.h"

void BootPanel(bool translucency)
{
    TranslucencyForcedUnavailable = translucency ? 0 : 1;
    // Tests send the pointer messages themselves; the real pointer stays off the panel. On a display just
    // started, Wine already counts the pointer at 0,0 while X has it in the middle, so a move to 0,0 alone
    // would be skipped: go through 1,1.
    SetCursorPos(1, 1);
    SetCursorPos(0, 0);
    StartUp();
    PumpMessages(0);
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start >= ms)
            break;
        Sleep(5);
    }
}

bool Within(DWORD ms, const std::function<bool()>& condition)
{
    for (DWORD start = GetTickCount();; Sleep(10)) {
        PumpMessages(0);
        if (condition())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
    }
}

static const char kKey[] = "SOFTWARE\\Qorvsoft\\Vexlo";

void ForgetSettings()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
}

bool ReadLastWindowValue(char* out, DWORD* bytes, DWORD* type)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG status = RegQueryValueExA(key, "LastWindow", NULL, type, reinterpret_cast<BYTE*>(out), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::string StoredLastWindow()
{
    char data[256];
    DWORD type = 0, size = sizeof(data);
    if (!ReadLastWindowValue(data, &size, &type) || type != REG_SZ)
        return "<none>";
    return std::string(data, size);
}

std::string Stored(const char* title)
{
    return std::string(title, lstrlenA(title) + 1);
}

std::string Text(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

bool SelectTarget(HWND window)
{
    RefreshWindowList(true);
    for (int item = 0, n = (int)SendMessageA(WindowCombo, CB_GETCOUNT, 0, 0); item < n; ++item)
        if (RecordToHandle(ItemRecord(item)->handle) == window) {
            SendMessageA(WindowCombo, CB_SETCURSEL, item, 0);
            return true;
        }
    return false;
}

void PanelClick(int x, int y)
{
    SendMessageA(MainPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(MainPanel, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void FreshPanel(bool translucency)
{
    ForgetSettings();
    BootPanel(translucency);
}

void PressButton(HWND button)
{
    SendMessageA(MainPanel, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)button);
}

HWND MakeWindow(const char* title, DWORD style, int x, int y, int width, int height, const char* className,
                WNDPROC proc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, title, style, x, y, width, height, NULL, NULL, wc.hInstance, NULL);
}

RECT RectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

std::string Placed(int left, int top, int width, int height)
{
    char text[64];
    wsprintfA(text, "%d,%d %dx%d", left, top, width, height);
    return text;
}

std::string Placed(HWND window)
{
    RECT r = RectOf(window);
    return Placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool PointerFree()
{
    RECT clip, screen;
    GetClipCursor(&clip);
    screen.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    screen.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return GetCapture() != MainPanel && DraggingPanel + DraggingPanelOpacity + DraggingTargetOpacity == 0 &&
           EqualRect(&clip, &screen);
}
