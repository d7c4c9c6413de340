#include "app/shell.h"

#include <commctrl.h>

#include "app/core/placement.h"
#include "app/settings.h"
#include "app/timeline.h"
#include "app/translucency.h"
#include "catalogue/actions.h"
#include "catalogue/catalogue.h"
#include "panel/panel.h"
#include "panel/surface.h"
#include "tray/tray.h"

HINSTANCE ModuleInstance;
HWND DesktopWindow;
HWND MainPanel;
float DesktopWidth;
float DesktopHeight;
float PanelWidth;
float PanelHeight;
PanelPlacementRecord PanelPlacement;
HDC PanelDC;
LOGFONTA FontTemplate;
HFONT ControlFont;

static MSG MessageRecord;
static const char kPanelClass[] = "Vexlo_App";
static const int kFoldedWidth = 370;
static const int kFoldedHeight = 150;

bool CheckSingleInstance()
{
    // Never closed: the system drops it when the process ends.
    HANDLE mutex = CreateMutexA(NULL, FALSE, "VexloIsAlreadyRunning");
    return mutex == NULL || GetLastError() == ERROR_ALREADY_EXISTS;
}

static void RegisterPanelClass()
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = MainPanelProc;
    wc.hInstance = ModuleInstance;
    wc.hIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kPanelClass;
    RegisterClassA(&wc);
}

// The monitor the panel opens on. Wine hands a popup to the window manager once
// it is active or covers the work area, and does so by unmapping it and mapping
// it again; left to the first press, that switch takes the activation and the
// capture from the press. Made covering the monitor while still hidden, the
// panel is handed over with nothing held, and the window manager then stacks it
// with the About box. Made so, Wine also never asks every other window on the
// desktop whether the panel owns it, one call each, which a crowded desktop
// pays by the second. A hidden window made and sized shows nothing anywhere.
static RECT PanelMonitor()
{
    const RECT folded = {PanelPlacement.left, PanelPlacement.top, PanelPlacement.left + kFoldedWidth,
                         PanelPlacement.top + kFoldedHeight};
    MONITORINFO monitor;
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromRect(&folded, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return folded;
    return monitor.rcMonitor;
}

// The panel takes no composed text: its only edits take digits, and the list
// is picked, not typed. Without an IME the system makes no IME window for the
// thread with the panel; under Wine making that window asks every other window
// on the desktop whether it is owned, three times, one call each. Where no IME
// is loaded there is nothing to switch off.
static void SwitchOffIme()
{
    typedef BOOL(WINAPI * DisableImeFn)(DWORD);
    const HMODULE imm = GetModuleHandleA("imm32.dll");
    const FARPROC found = imm != NULL ? GetProcAddress(imm, "ImmDisableIME") : NULL;
    if (found != NULL)
        reinterpret_cast<DisableImeFn>(reinterpret_cast<void (*)()>(found))(static_cast<DWORD>(-1));
}

// A message number nothing ever posts.
static const UINT kNeverPosted = WM_APP + 0x3A5;

// Puts the first frame on the screen now, painted as the loop would paint it.
// Wine hands a window's drawing to the X server only when its thread looks for
// a message and finds none, so it looks for one that never comes; elsewhere the
// frame is out already and the look returns at once.
static void ShowFirstFrame()
{
    UpdateWindow(MainPanel);
    MSG none;
    PeekMessageA(&none, NULL, kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

void StartUp()
{
    ModuleInstance = GetModuleHandleA(NULL);
    DesktopWindow = GetDesktopWindow();
    ReadSettings();
    TimelineMark("settings read");

    ZeroMemory(&FontTemplate, sizeof(FontTemplate));
    FontTemplate.lfWeight = 500;
    FontTemplate.lfCharSet = RUSSIAN_CHARSET;

    RegisterPanelClass();
    SwitchOffIme();
    TimelineMark("class registered");

    RECT desktop;
    GetClientRect(DesktopWindow, &desktop);
    DesktopWidth = static_cast<float>(desktop.right - desktop.left);
    DesktopHeight = static_cast<float>(desktop.bottom - desktop.top);
    CentredOrigin origin = CentrePanel(DesktopWidth, DesktopHeight, kFoldedWidth, kFoldedHeight);
    PanelPlacement.left = origin.left;
    PanelPlacement.top = origin.top;
    PanelPlacement.width = kFoldedWidth;
    PanelPlacement.height = kFoldedHeight;

    ProbeTranslucency();
    TimelineMark("translucency probed");

    // Titled and shaped while still hidden: one call fewer, and the window is
    // never mapped square.
    const RECT cover = PanelMonitor();
    MainPanel = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPanelClass, "Vexlo", WS_POPUP, cover.left,
                                cover.top, cover.right - cover.left, cover.bottom - cover.top, NULL, NULL,
                                ModuleInstance, NULL);
    TimelineMark("panel created");
    // As early as the icon can be: Wine may show a window of its own for it,
    // and the window manager's turn to that window must not fall into the first
    // click; it goes on while the panel builds.
    AddTrayIcon();
    TimelineMark("tray icon added");
    SetWindowPos(MainPanel, NULL, PanelPlacement.left, PanelPlacement.top, kFoldedWidth, kFoldedHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    RECT client;
    GetClientRect(MainPanel, &client);
    PanelWidth = static_cast<float>(client.right - client.left);
    PanelHeight = static_cast<float>(client.bottom - client.top);
    TimelineMark("panel placed");
    // Shaped at its folded size, the shape cut to its width; hidden, nothing
    // needs redrawing, and under Wine the smaller window costs less to reshape.
    SetPanelRegion();
    TimelineMark("panel shaped");
    // Shown without taking activation from whatever the user works in.
    ShowWindow(MainPanel, SW_SHOWNA);
    PanelDC = GetDC(MainPanel);
    TimelineMark("panel shown");

    BuildSurfaceFirst();
    TimelineMark("surface, first stretch");

    ControlFont = CreateTemplateFont(10, 10, 500);
    SendMessageA(WindowCombo, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont), TRUE);
    SendMessageA(WindowCombo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 16);
    TimelineMark("control font");

    BuildSurfaceSecond();
    TimelineMark("surface, second stretch");

    BitBlt(PanelDC, 0, 0, kFoldedWidth, kFoldedHeight, BackBufferDC, 0, 0, SRCCOPY);
    TimelineMark("first frame copied");
    // Filled before the frame goes out, as ever, so the list is never seen empty
    // first; the geometry fields it would fill do not exist yet and are filled
    // once they do.
    AllocateWindowTable();
    TimelineMark("window list filled");
    ShowWindowCombo();
    ShowFirstFrame();
    TimelineMark("first frame shown");

    // The rest is out of sight until the first input, which only the message
    // loop hands out, after all of it.
    BuildUnfoldedRows();
    TimelineMark("unfolded rows");
    CreatePanelTooltip();
    TimelineMark("tooltip created");
    SetTargetButtonsFont();
    BuildSurfaceLast();
    TimelineMark("surface, last stretch");
    ShowTargetGeometry(static_cast<int>(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0)));
    RegisterTooltipAreas();
    TimelineMark("tooltip areas");
}

void RunMessageLoop()
{
    // -1 from GetMessageA is treated like a message; only WM_QUIT ends the loop.
    while (GetMessageA(&MessageRecord, NULL, 0, 0) != 0) {
        TranslateMessage(&MessageRecord);
        DispatchMessageA(&MessageRecord);
    }
}

int TearDown()
{
    RemoveTrayIcon();
    if (User32Library != NULL) {
        FreeLibrary(User32Library);
        User32Library = NULL;
        LayeredAttributesFunction = NULL;
    }
    ReleaseArtwork();
    if (ControlFont != NULL) {
        DeleteObject(ControlFont);
        ControlFont = NULL;
    }
    return 1;
}

void OnPanelClose(HWND window)
{
    DestroyWindow(window);
}

void OnPanelDestroy()
{
    ReleaseDC(MainPanel, PanelDC);
    PanelDC = NULL;
    // Released here only, once: the teardown never touches them again.
    if (BackBufferDC != NULL) {
        DeleteDC(BackBufferDC);
        BackBufferDC = NULL;
    }
    if (BackBuffer != NULL) {
        DeleteObject(BackBuffer);
        BackBuffer = NULL;
    }
    PostQuitMessage(0);
}
