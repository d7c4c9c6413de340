// Shared set-up and checks for the in-process tests: the real start-up, test windows, the stored value, pixels.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/catalogue.h"
#include "panel/motion.h"
#include "panel/surface.h"

const char kSettingsKey[] = "SOFTWARE\\Qorvsoft\\Vexlo";

// Pumps messages until condition() holds; false when ms pass first.
inline bool Within(DWORD ms, const std::function<bool()>& condition)
{
    MSG msg;
    for (DWORD start = GetTickCount();; Sleep(5)) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
    }
}

// Dispatches messages for ms milliseconds (only the pending ones when ms is 0).
inline void PumpMessages(DWORD ms = 0) { Within(ms, [] { return false; }); }

// Once the window manager has answered all asked of it (the X helper's round trip), lets Wine apply the answers:
// Wine takes a late answer to a move as a new move, and one step of a test must not answer into the next.
inline void WindowManagerAnswered()
{
    char unixPath[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("VEXLO_XINPUT", unixPath, sizeof(unixPath));
    if (length == 0 || length >= sizeof(unixPath))
        return;
    std::string cmd = std::string("\"Z:") + unixPath + "\"";
    std::replace(cmd.begin(), cmd.end(), '/', '\\');
    // Wine gives no handle to a Unix process: the end of its output says that it has ended.
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    HANDLE commands = NULL, helperIn = NULL, said = NULL, helperOut = NULL;
    ASSERT_TRUE(CreatePipe(&helperIn, &commands, &inherit, 0) && CreatePipe(&said, &helperOut, &inherit, 0));
    SetHandleInformation(commands, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(said, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = helperIn;
    si.hStdOutput = si.hStdError = helperOut;
    PROCESS_INFORMATION pi = {};
    const BOOL started = CreateProcessA(NULL, &cmd[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
    CloseHandle(helperIn);
    CloseHandle(helperOut);
    DWORD count = 0;
    WriteFile(commands, "w\n", 2, &count, NULL);
    CloseHandle(commands);  // the helper ends at the end of its input, or after 10 s without an answer
    std::string text;
    char buffer[256];
    while (started && ReadFile(said, buffer, sizeof(buffer), &count, NULL) && count > 0)
        text.append(buffer, count);
    CloseHandle(said);  // no process or thread handle to close
    ASSERT_TRUE(started) << "the X helper did not start: " << cmd;
    EXPECT_TRUE(text.empty()) << "the X helper said: " << text;
    PumpMessages(50);
}

// Runs StartUp() with translucency available or forced unavailable.
inline void BootPanel(bool translucency)
{
    TranslucencyForcedUnavailable = translucency ? 0 : 1;
    // The real pointer stays off the panel. On a fresh display Wine already counts it at 0,0 while X has it
    // in the middle, and would skip a move to 0,0 alone: go through 1,1.
    SetCursorPos(1, 1);
    SetCursorPos(0, 0);
    // These tests press with messages alone. A press that an end-to-end test released over the bare root
    // window, where Wine sees nothing, leaves the button down for the whole desktop: let it go first.
    INPUT up = {INPUT_MOUSE};
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000)
        SendInput(1, &up, sizeof(up));
    StartUp();
    PumpMessages();
}

// Deletes the settings key so a test starts from a clean system.
inline void ForgetSettings() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey); }

// The panel booted afresh with no stored window.
inline void FreshPanel(bool translucency = true)
{
    ForgetSettings();
    BootPanel(translucency);
}

// The stored LastWindow string with its terminating NUL, "<none>" when there is none.
inline std::string StoredLastWindow()
{
    char data[256];
    DWORD type = 0, size = sizeof(data);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<none>";
    const LONG status = RegQueryValueExA(key, "LastWindow", NULL, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::string(data, size) : "<none>";
}

// The title as the settings store it: the text and its NUL.
inline std::string Stored(const char* title) { return std::string(title, lstrlenA(title) + 1); }

// A window's text (at most 255 bytes).
inline std::string Text(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

inline LONG ExStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }
inline bool Topmost(HWND window) { return (ExStyle(window) & WS_EX_TOPMOST) != 0; }
// The window's layered opacity, 0 when it has none.
inline BYTE AlphaOf(HWND window)
{
    BYTE alpha = 0;
    GetLayeredWindowAttributes(window, NULL, &alpha, NULL);
    return alpha;
}

// The windows WindowCombo lists, in its order.
inline std::vector<HWND> ListedWindows()
{
    std::vector<HWND> windows;
    for (int i = 0, n = (int)SendMessageA(WindowCombo, CB_GETCOUNT, 0, 0); i < n; ++i)
        windows.push_back(RecordToHandle(ItemRecord(i)->handle));
    return windows;
}

inline int ItemOf(HWND window)
{
    const std::vector<HWND> listed = ListedWindows();
    const auto at = std::find(listed.begin(), listed.end(), window);
    return at == listed.end() ? CB_ERR : int(at - listed.begin());
}

// Refills WindowCombo from a fresh enumeration and selects the window's entry.
inline bool SelectTarget(HWND window)
{
    RefreshWindowList(true);
    const int item = ItemOf(window);
    return item != CB_ERR && SendMessageA(WindowCombo, CB_SETCURSEL, item, 0) == item;
}

// A top-level window of this thread; its class is registered on first use.
inline HWND MakeWindow(const char* title, DWORD style = WS_POPUP | WS_VISIBLE, int x = 100, int y = 100, int width = 200,
                       int height = 150, const char* className = "VexloTestTarget", WNDPROC proc = DefWindowProcA)
{
    const WNDCLASSA wc = {0, proc, 0, 0, GetModuleHandleA(NULL), NULL, NULL, NULL, NULL, className};
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, title, style, x, y, width, height, NULL, NULL, wc.hInstance, NULL);
}

inline RECT RectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

// "left,top widthxheight", of the numbers or of the window on the screen.
inline std::string Placed(int left, int top, int width, int height)
{
    char text[64];
    wsprintfA(text, "%d,%d %dx%d", left, top, width, height);
    return text;
}

inline std::string Placed(HWND window)
{
    const RECT r = RectOf(window);
    return Placed(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// No drag, capture or pointer clip is left from the panel: the clip is the whole screen.
inline bool PointerFree()
{
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    RECT clip, screen = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    GetClipCursor(&clip);
    return GetCapture() != MainPanel && DraggingPanel + DraggingPanelOpacity + DraggingTargetOpacity == 0 &&
           EqualRect(&clip, &screen);
}

// A press and a release at (x, y) of the panel, through its own procedure.
inline void PanelClick(int x, int y)
{
    SendMessageA(MainPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(MainPanel, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline bool QuitPosted()
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// A click of one of the panel's child buttons, as the button reports it.
inline void PressButton(HWND button) { SendMessageA(MainPanel, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)button); }

const COLORREF W = RGB(255, 255, 255), B = RGB(104, 126, 210), L = RGB(155, 177, 255), D = RGB(35, 51, 156);
const COLORREF InL = RGB(130, 156, 225), InD = RGB(56, 84, 192), Pale = RGB(217, 225, 255), Green = RGB(0, 255, 0);

struct ExpectedPixel { int x, y; COLORREF colour; };

template <int N>
void CheckPixels(HDC dc, const ExpectedPixel (&pixels)[N], const char* where)
{
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << where << " (" << p.x << "," << p.y << ")";
}

// A w x h block of a equals the block of b; reports the first difference only.
inline bool SameBlock(HDC a, int ax, int ay, HDC b, int bx, int by, int w, int h, const char* what)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(a, ax + x, ay + y) != GetPixel(b, bx + x, by + y)) {
                ADD_FAILURE() << what << ": differs at (" << ax + x << "," << ay + y << ")";
                return false;
            }
    return true;
}

// Bounding box and count of the pixels of colour c in [left,right) x [top,bottom).
struct Ink { int count, left, top, right, bottom; };
inline Ink InkOf(HDC dc, int left, int top, int right, int bottom, COLORREF c)
{
    Ink ink = {0, right, bottom, left, top};
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (GetPixel(dc, x, y) == c) {
                ++ink.count;
                ink.left = x < ink.left ? x : ink.left;
                ink.top = y < ink.top ? y : ink.top;
                ink.right = x >= ink.right ? x + 1 : ink.right;
                ink.bottom = y >= ink.bottom ? y + 1 : ink.bottom;
            }
    return ink;
}

// An artwork bitmap loaded afresh into its own memory DC; the test process ends soon after.
inline HDC Artwork(int id)
{
    HDC dc = CreateCompatibleDC(NULL);
    SelectObject(dc, LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    return dc;
}
