#include "catalogue/actions.h"

#include "about/about.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/translucency.h"
#include "catalogue/catalogue.h"
#include "catalogue/core/labels.h"
#include "catalogue/core/pin_wake.h"
#include "catalogue/core/text.h"
#include "panel/pointer.h"
#include "panel/surface.h"

int TargetHidden = 0;
int ActingOnTarget = 0;
int RequestedLeft, RequestedTop, RequestedWidth, RequestedHeight;
HWND WidthEdit = NULL, HeightEdit = NULL, LeftEdit = NULL, TopEdit = NULL;
HWND SizeResetButton = NULL, ApplySizeButton = NULL, ApplyPositionButton = NULL;
HWND HideShowButton = NULL, CloseTargetButton = NULL;

static const DWORD kGeometryEditStyle = 0x50012001;  // child, visible, tabstop, digits, centred
static const DWORD kPictureButtonStyle = 0x50010380; // child, visible, tabstop, centred, bitmap
static const DWORD kTextButtonStyle = 0x50010300;    // child, visible, tabstop, centred
// A target that does not answer its close request must not freeze the panel.
static const UINT kCloseWaitMs = 5000;

static HWND CreateChild(const char* className, const char* text, DWORD style, int x, int y, int width,
                        int height)
{
    return CreateWindowExA(0, className, text, style, x, y, width, height, MainPanel, NULL,
                           ModuleInstance, NULL);
}

void CreateSizeRowControls()
{
    WidthEdit = CreateChild("EDIT", "", kGeometryEditStyle, 140, 162, 35, 17);
    HeightEdit = CreateChild("EDIT", "", kGeometryEditStyle, 192, 162, 35, 17);
    SizeResetButton = CreateChild("BUTTON", NULL, kPictureButtonStyle, 235, 160, 23, 20);
    ApplySizeButton = CreateChild("BUTTON", NULL, kPictureButtonStyle, 280, 158, 25, 25);
    SendMessageA(SizeResetButton, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)ArtBitmaps[3]);
    SendMessageA(ApplySizeButton, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)ArtBitmaps[4]);
}

void CreatePositionRowControls()
{
    LeftEdit = CreateChild("EDIT", "", kGeometryEditStyle, 155, 199, 35, 17);
    TopEdit = CreateChild("EDIT", "", kGeometryEditStyle, 226, 199, 35, 17);
    ApplyPositionButton = CreateChild("BUTTON", NULL, kPictureButtonStyle, 280, 195, 25, 25);
    HideShowButton = CreateChild("BUTTON", kHideText, kTextButtonStyle, 100, 270, 75, 20);
    CloseTargetButton = CreateChild("BUTTON", kCloseTargetText, kTextButtonStyle, 190, 270, 70, 20);
}

void SetTargetButtonsFont()
{
    SendMessageA(HideShowButton, WM_SETFONT, (WPARAM)ControlFont, TRUE);
    SendMessageA(CloseTargetButton, WM_SETFONT, (WPARAM)ControlFont, TRUE);
}

void SetApplyPositionImage()
{
    SendMessageA(ApplyPositionButton, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)ArtBitmaps[4]);
}

bool IsGeometryEdit(HWND control)
{
    return control != NULL &&
           (control == WidthEdit || control == HeightEdit || control == LeftEdit || control == TopEdit);
}

static void SetNumber(HWND edit, int32_t value)
{
    char text[12];
    FormatDecimal(value, text);
    SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)text);
}

void ShowTargetGeometry(int index)
{
    const WindowRecord* record = ItemRecord(index);
    if (record == NULL)
        return;
    SetNumber(WidthEdit, record->width);
    SetNumber(HeightEdit, record->height);
    SetNumber(LeftEdit, record->left);
    SetNumber(TopEdit, record->top);
}

// A window of another thread that does not answer within this time is asked by
// posted requests instead, so the panel never waits for it.
static const UINT kAnswerWaitMs = 250;

// True when the calls may wait for the target's thread: it is ours, or it answers.
static bool AnswersAtOnce(HWND target)
{
    if (GetWindowThreadProcessId(target, NULL) == GetCurrentThreadId())
        return true;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerWaitMs, &ignored) != 0;
}

// The newest pin and when it was asked for: of the bring-forwards left waiting on
// stuck targets, only this one may still happen.
static uint32_t PinSerial;
static DWORD PinPressedAt;

static int WarningOpen;  // the vanished-target warning is up

static VOID CALLBACK ForegroundOnceAwake(HWND target, UINT, ULONG_PTR serial, LRESULT)
{
    const WindowRecord* record = ItemRecord(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0));
    HWND front = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    PinWake w;
    w.request = (uint32_t)serial;
    w.latest = PinSerial;
    w.pressedAt = PinPressedAt;
    w.now = GetTickCount();
    w.selected = record != NULL && RecordToHandle(record->handle) == target;
    w.stayed = front == target || (front != NULL && process == GetCurrentProcessId());
    w.pressHeld = PanelPressHeld();
    w.boxOpen = AboutOpen || WarningOpen || !IsWindowEnabled(MainPanel) ||
                SendMessageA(WindowCombo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    w.typing = IsGeometryEdit(GetFocus());
    w.targetVisible = IsWindowVisible(target) != 0;
    if (IsWindow(target) && PinWakeWanted(w))
        SetForegroundWindow(target);
}

// Takes back a bring-forward still waiting on a stuck target.
static void CancelPinWake()
{
    ++PinSerial;
}

static void CarryOut(HWND target, TargetAction action)
{
    RECT rect = {0, 0, 0, 0};
    DWORD_PTR ignored = 0;
    if (action == ActionClose) {
        CancelPinWake();
        SendMessageTimeoutA(target, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, kCloseWaitMs,
                            &ignored);
        return;
    }
    const bool answers = AnswersAtOnce(target);
    // For a target that does not answer, the change is posted and lands when it wakes;
    // then it must not take the foreground by itself: only a pin still wanted does.
    const UINT async = answers ? 0 : SWP_ASYNCWINDOWPOS | SWP_NOACTIVATE;
    BOOL(WINAPI * const show)(HWND, int) = answers ? ShowWindow : ShowWindowAsync;
    // MoveWindow(..., TRUE) is this SetWindowPos; only the latter can be posted.
    const UINT place = SWP_NOZORDER | SWP_NOACTIVATE | async;
    switch (action) {
    case ActionUnpin:
        CancelPinWake();
        SetWindowPos(target, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | async);
        break;
    case ActionPin:
        SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | async);
        ++PinSerial;
        if (answers) {
            SetForegroundWindow(target);
        } else {
            // Bringing a stuck window forward can wait on it (2 s under Wine
            // without a window manager): do it once it answers, if still wanted.
            PinPressedAt = GetTickCount();
            SendMessageCallbackA(target, WM_NULL, 0, 0, ForegroundOnceAwake, PinSerial);
        }
        break;
    case ActionResize:
        // The position as it is now, not as it was enumerated.
        GetWindowRect(target, &rect);
        SetWindowPos(target, NULL, rect.left, rect.top, RequestedWidth, RequestedHeight, place);
        break;
    case ActionHide:
        CancelPinWake();
        show(target, SW_HIDE);
        TargetHidden = 1;
        break;
    case ActionMove:
        GetWindowRect(target, &rect);
        SetWindowPos(target, NULL, RequestedLeft, RequestedTop, rect.right - rect.left,
                     rect.bottom - rect.top, place);
        break;
    case ActionShow:
        show(target, SW_SHOW);
        TargetHidden = 0;
        break;
    case ActionSetAlpha:
        if (answers) {
            if (TargetAlpha == 255.0f)
                ClearOpacity(target, NULL);
            else
                ApplyOpacity(target, TargetAlpha);
        } else if (GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_LAYERED) {
            // A style change is a message the target must answer, and cannot be
            // posted: only the opacity of an already layered window changes now.
            SetWindowAlpha(target, TargetAlpha);
        }
        break;
    default:
        break;
    }
}

void ApplyToTarget(TargetAction action)
{
    const WindowRecord* record = ItemRecord(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0));
    if (record == NULL)
        return;
    HWND target = RecordToHandle(record->handle);
    if (!IsWindow(target)) {
        WarningOpen = 1;
        MessageBoxA(MainPanel, kTargetMissingText, kTargetMissingCaption, MB_ICONWARNING);
        WarningOpen = 0;
        return;
    }
    ActingOnTarget = 1;
    CarryOut(target, action);
    ActingOnTarget = 0;
    SaveLastWindow(target);
}

static int32_t ReadNumber(HWND edit, int capacity)
{
    char text[255];
    if (GetWindowTextA(edit, text, capacity) <= 0)
        text[0] = '\0';
    return ParseDecimal(text);
}

static void ResetSizeFields()
{
    const WindowRecord* record = ItemRecord(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0));
    if (record == NULL)
        return;
    SetNumber(WidthEdit, record->width);
    SetNumber(HeightEdit, record->height);
}

LRESULT OnPanelCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = (HWND)lParam;
    if (control == NULL)
        return 0;
    if (HIWORD(wParam) != BN_CLICKED) {
        if (HIWORD(wParam) == CBN_SELENDOK && control == WindowCombo) {
            CancelPinWake();
            ShowTargetGeometry((int)SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0));
        }
        return 0;
    }
    if (control == ApplyPositionButton) {
        RequestedLeft = ReadNumber(LeftEdit, 255);
        RequestedTop = ReadNumber(TopEdit, 255);
        ApplyToTarget(ActionMove);
    } else if (control == ApplySizeButton) {
        // Four characters at most: a five-digit width is cut short, not clamped.
        RequestedWidth = ReadNumber(WidthEdit, 5);
        RequestedHeight = ReadNumber(HeightEdit, 5);
        ApplyToTarget(ActionResize);
    } else if (control == SizeResetButton) {
        ResetSizeFields();
    } else if (control == CloseTargetButton) {
        ApplyToTarget(ActionClose);
    } else if (control == HideShowButton) {
        ApplyToTarget(TargetHidden == 1 ? ActionShow : ActionHide);
        SendMessageA(HideShowButton, WM_SETTEXT, 0, (LPARAM)HideShowLabel(TargetHidden));
    }
    return 0;
}
