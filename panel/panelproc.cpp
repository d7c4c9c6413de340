#include "panel/panel.h"

#include "app/shell.h"
#include "catalogue/actions.h"
#include "panel/motion.h"
#include "panel/pointer.h"
#include "panel/skin.h"
#include "panel/surface.h"
#include "tray/tray.h"

int HotState;
int PressedControl;
int PanelPinned;
int PanelHidden;
int PanelExpanded;

LRESULT CALLBACK MainPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        ReleasePointerOnDestroy();
        OnPanelDestroy();
        return 1;
    case WM_PAINT:
        PresentPanel(0);
        return 0;
    case WM_MOUSEMOVE:
        return OnPanelMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnPanelButtonDown(window, wParam, lParam);
    case WM_LBUTTONUP:
        return OnPanelButtonUp(lParam);
    case WM_NCLBUTTONUP:
        return OnPanelNcButtonUp();
    case WM_TIMER:
        OnFoldTimer(wParam);
        return 1;
    case WM_CAPTURECHANGED:
        return OnPanelCaptureChanged(window, reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            OnPanelDeactivated(window);
        break;
    case WM_WINDOWPOSCHANGED:
        OnPanelMoved(reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case PutBackMessage:
        return OnPutBack();
    case ResumeCaptureMessage:
        return OnResumeCapture(window);
    case WM_CLOSE:
        OnPanelClose(window);
        return 1;
    case WM_COMMAND:
        return OnPanelCommand(wParam, lParam);
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit(window, wParam, lParam);
    case TrayCallbackMessage:
        return OnTrayCallback(lParam);
    }
    if (message == TaskbarCreatedMessage && message != 0)
        return OnTaskbarCreated();
    return DefWindowProcA(window, message, wParam, lParam);
}
