#include "about/about.h"

#include "app/shell.h"
#include "app/translucency.h"

int AboutOpen;

namespace {
constexpr int kCreditLength = 29;

struct CreditText {
    char bytes[kCreditLength + 1];
};

// Kept with every byte raised by one, so the line is not plain text in the file.
constexpr CreditText Raised(const char (&text)[kCreditLength + 1])
{
    CreditText stored = {};
    for (int i = 0; i < kCreditLength; ++i)
        stored.bytes[i] = static_cast<char>(text[i] + 1);
    return stored;
}
}  // namespace

static CreditText CreditLine = Raised("Made by Qorvsoft for everyone");
static int CreditRestored;
static const UINT kRaiseMessage = WM_APP;
static int FadeAlpha;

static void RestoreCreditLine()
{
    if (CreditRestored)
        return;
    CreditRestored = 1;
    for (int i = 0; i < kCreditLength; ++i)
        --CreditLine.bytes[i];
}

static void FadeIn(HWND dialog)
{
    SetWindowLongA(dialog, GWL_EXSTYLE, GetWindowLongA(dialog, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetWindowAlpha(dialog, 0.0f);
    ShowWindow(dialog, SW_SHOW);
    RedrawWindow(dialog, NULL, NULL, RDW_UPDATENOW);
    // 15 steps, about 420 ms; the box stays at 210 while it is open.
    for (FadeAlpha = 0; FadeAlpha <= 210; FadeAlpha += 15) {
        SetWindowAlpha(dialog, static_cast<float>(FadeAlpha));
        Sleep(28);
    }
}

static void OnAboutInit(HWND dialog)
{
    AboutOpen = 1;
    // A system-modal box stands above every window, the pinned panel too. Not
    // every platform's dialog manager makes it topmost, and a window manager may
    // map it below the window in focus: raise it once it is on the screen.
    PostMessageA(dialog, kRaiseMessage, 0, 0);
    // Topmost before it shows, too: until the raise, clicks on the box would go
    // to the pinned panel where the two overlap.
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HICON icon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(1));
    SendDlgItemMessageA(dialog, 4, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    RestoreCreditLine();
    SetDlgItemTextA(dialog, 2, CreditLine.bytes);
    if (LayeredAvailable)
        FadeIn(dialog);
}

static void OnAboutCommand(HWND dialog, WPARAM wParam)
{
    // Only OK (or Enter) closes the box; Esc's IDCANCEL is ignored.
    if (LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 41);
        AboutOpen = 0;
    }
}

static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case kRaiseMessage:
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(dialog);
        break;
    case WM_INITDIALOG:
        OnAboutInit(dialog);
        break;
    case WM_COMMAND:
        OnAboutCommand(dialog, wParam);
        break;
    }
    return FALSE;
}

INT_PTR OpenAboutBox()
{
    return DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(1), NULL, AboutProc, 0);
}
