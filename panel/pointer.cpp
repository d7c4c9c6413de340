#include "panel/pointer.h"

#include <commctrl.h>

#include "about/about.h"
#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/actions.h"
#include "catalogue/catalogue.h"
#include "panel/core/held_press.h"
#include "panel/core/hot_state.h"
#include "panel/motion.h"
#include "panel/panel.h"
#include "panel/pin.h"
#include "panel/skin.h"
#include "panel/surface.h"
#include "tray/menu.h"

// One record for every relay; its time field is never written.
static MSG TooltipRelayMessage;
// Set while a press on a drawn button holds the capture, so that the release
// comes here wherever the pointer goes.
static int PressHeld;
// The disturbances of the press now held (panel/core/held_press.h).
static HeldState HeldPressState;

static PointerRects CurrentRects()
{
    static const RECT* const kAreas[AreaCount] = {
        &MinimizeButtonRect,      &CloseButtonRect,     &MoreButtonRect,         &PinButtonRect,
        &RefreshButtonRect,       &SetTopmostButtonRect, &ClearTopmostButtonRect, &VisibleWindowsRadioRect,
        &AllWindowsRadioRect,     &AboutButtonRect,     &PanelOpacityTrack,      &PanelOpacityThumb,
        &TargetOpacityThumb,
    };
    PointerRects r;
    for (int i = 0; i < AreaCount; ++i)
        r.area[i] = AsPanelRect(*kAreas[i]);
    return r;
}

static void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TooltipRelayMessage.hwnd = window;
    TooltipRelayMessage.message = message;
    TooltipRelayMessage.wParam = wParam;
    TooltipRelayMessage.lParam = lParam;
    TooltipRelayMessage.pt.x = PointerX(static_cast<DWORD>(lParam), true);
    TooltipRelayMessage.pt.y = PointerY(static_cast<DWORD>(lParam), true);
    SendMessageA(PanelTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&TooltipRelayMessage));
}

static void DrawLook(const PointerRects& rects, const PointerLook& look)
{
    // Title-strip styles pick their button from HotState.
    HotState = look.hotState;
    if (look.kind == LookRadio) {
        DrawRadio(look.control - ControlVisibleRadio, look.style);
        return;
    }
    const PanelRect& r = ControlRect(rects, look.control);
    DrawBevel(BackBufferDC, r.left, r.top, r.right, r.bottom, look.style);
}

static void HideToTray()
{
    ShowWindow(MainPanel, SW_HIDE);
    PanelHidden = 1;
    if (MenuShown)
        CloseTrayMenu();
}

static void RunAction(PointerAction action, int x, int y)
{
    switch (action) {
    case PointerNoAction:
        break;
    case PointerHideToTray:
        HideToTray();
        break;
    case PointerCloseProgram:
        SendMessageA(MainPanel, WM_CLOSE, 0, 0);
        break;
    case PointerOpenAbout:
        OpenAboutBox();
        break;
    case PointerStartFold:
        StartFold();
        break;
    case PointerRefreshList:
        RefreshWindowList(true);
        break;
    case PointerSetTopmost:
        ApplyToTarget(ActionPin);
        break;
    case PointerClearTopmost:
        ApplyToTarget(ActionUnpin);
        break;
    case PointerChooseVisible:
    case PointerChooseAll:
        RefreshWindowList(false);
        break;
    case PointerTogglePin:
        TogglePanelPin(PinFromButton);
        break;
    case PointerStartPanelDrag:
        StartPanelDrag(x, y);
        break;
    case PointerStartPanelSlider:
        StartPanelSlider(x);
        break;
    case PointerStartTargetSlider:
        StartTargetSlider(x);
        break;
    case PointerPanelDragStep:
        PanelDragStep(x, y);
        break;
    case PointerPanelSliderStep:
        PanelSliderStep(x);
        break;
    case PointerTargetSliderStep:
        TargetSliderStep(x);
        break;
    }
}

static void Perform(PointerEvent event, int x, int y)
{
    const PointerRects rects = CurrentRects();
    PointerFlags flags = {PanelPinned, LayeredAvailable, AboutOpen, CurrentDrag()};
    PointerOutcome o = DecidePointer(HotState, PressedControl, flags, rects, event, x, y);
    PressedControl = o.pressedControl;
    // A radio choice sets both flags before the radios are drawn, as each reads its own.
    if (o.action == PointerChooseVisible || o.action == PointerChooseAll) {
        ListVisibleOnly = o.action == PointerChooseVisible;
        ListAllWindows = !ListVisibleOnly;
    }
    for (int i = 0; i < o.lookCount; ++i)
        DrawLook(rects, o.looks[i]);
    HotState = o.hotState;
    if (event == PointerPress && o.pressedControl != ControlNone) {
        PressHeld = 1;
        SetCapture(MainPanel);
    }
    RunAction(o.action, x, y);
}

static bool Held()
{
    return PressHeld || CurrentDrag() != DragNone;
}

static bool LeftButtonDown()
{
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & 0x8000) != 0;
}

static HeldFacts GatherFacts(HWND window, HWND taker)
{
    HeldFacts f = {};
    f.held = Held();
    GUITHREADINFO info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    f.takenByOther = (taker != NULL && taker != window) ||
                     (GetGUIThreadInfo(0, &info) && info.hwndCapture != NULL && info.hwndCapture != window);
    f.panelDisabled = !IsWindowEnabled(window);
    f.buttonDown = LeftButtonDown();
    // Only a release that will be the panel's: with the capture gone, one queued
    // over a child or the tray menu goes there.
    MSG m;
    f.releaseQueued = PeekMessageA(&m, window, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE | PM_NOYIELD) ||
                      PeekMessageA(&m, window, WM_NCLBUTTONUP, WM_NCLBUTTONUP, PM_NOREMOVE | PM_NOYIELD);
    f.movesQueued = (HIWORD(GetQueueStatus(QS_MOUSEMOVE)) & QS_MOUSEMOVE) != 0;
    // Under a window manager Wine can hand the focus to the panel's own tooltip
    // in the middle of a click: a window of this thread is as good as the panel.
    const HWND front = GetForegroundWindow();
    if (front == NULL || front == GetDesktopWindow())
        f.foreground = ForegroundNone;
    else
        f.foreground = GetWindowThreadProcessId(front, NULL) == GetCurrentThreadId() ? ForegroundOurs : ForegroundOther;
    return f;
}

// Ends the press as a release elsewhere would: a pressed button is drawn as if
// the pointer had slid off it and the press is forgotten, so a return onto it
// with the button still held presses nothing; a drag lets go of the pointer.
static void LetGo()
{
    if (PressHeld) {
        PressHeld = 0;
        Perform(PointerMoveDown, -1, -1);
        HotState = 0;
        PressedControl = 0;
    }
    EndDrag();
}

static void Carry(HWND window, HeldEvent event, HWND taker)
{
    const HeldOutcome o = DecideHeld(HeldPressState, event, GatherFacts(window, taker));
    HeldPressState = o.state;
    switch (o.step) {
    case HeldNothing:
        break;
    case HeldPostResume:
        PostMessageA(window, ResumeCaptureMessage, 0, 0);
        break;
    case HeldLetGo:
        LetGo();
        break;
    case HeldRetake:
        if (o.takeForeground)
            SetForegroundWindow(window);
        if (GetCapture() != window)
            SetCapture(window);
        ClipForDrag();
        if (DecideHeld(HeldPressState, HeldRetaken, GatherFacts(window, NULL)).step == HeldLetGo) {
            HeldPressState = HeldState{0, 0, 0};
            LetGo();
            return;
        }
        break;
    }
    if (o.catchUp)
        CatchUpDrag();
}

LRESULT OnPanelCaptureChanged(HWND window, HWND taker)
{
    if (taker != window)
        Carry(window, HeldCaptureLost, taker);
    return 0;
}

LRESULT OnPanelDeactivated(HWND window)
{
    Carry(window, HeldDeactivated, NULL);
    return 0;
}

LRESULT OnResumeCapture(HWND window)
{
    Carry(window, HeldResume, NULL);
    return 1;
}

bool PanelPressHeld()
{
    return Held();
}

void ReleasePointerOnDestroy()
{
    if (Held()) {
        PressHeld = 0;
        EndDrag();
    }
}

LRESULT OnPanelMouseMove(HWND window, WPARAM wParam, LPARAM lParam)
{
    RelayToTooltip(window, WM_MOUSEMOVE, wParam, lParam);
    // With the button held the pointer may be captured outside: signed halves.
    const bool held = (wParam & MK_LBUTTON) != 0;
    const DWORD at = static_cast<DWORD>(lParam);
    Perform(held ? PointerMoveDown : PointerMoveUp, PointerX(at, held), PointerY(at, held));
    if (HeldPressState.catchUpPending)
        Carry(window, HeldMoveDone, NULL);
    return 1;
}

LRESULT OnPanelButtonDown(HWND window, WPARAM wParam, LPARAM lParam)
{
    RelayToTooltip(window, WM_LBUTTONDOWN, wParam, lParam);
    Carry(window, HeldPress, NULL);
    const DWORD at = static_cast<DWORD>(lParam);
    Perform(PointerPress, PointerX(at, true), PointerY(at, true));
    return 1;
}

LRESULT OnPanelButtonUp(LPARAM lParam)
{
    // The About box, a warning box or the close need the pointer free before the action.
    if (PressHeld) {
        PressHeld = 0;
        if (GetCapture() == MainPanel)
            ReleaseCapture();
    }
    const DWORD at = static_cast<DWORD>(lParam);
    Perform(PointerRelease, PointerX(at, false), PointerY(at, false));
    EndDrag();
    return 1;
}

LRESULT OnPanelNcButtonUp()
{
    PressHeld = 0;
    EndDrag();
    return 1;
}
