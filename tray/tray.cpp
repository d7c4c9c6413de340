#include "tray/tray.h"

#include "app/shell.h"
#include "panel/panel.h"
#include "tray/menu.h"

UINT TaskbarCreatedMessage;

// The first, 88-byte form of the record, which every shell since the oldest accepts.
NOTIFYICONDATAA TrayRecord;
static const DWORD kTrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "first record form is 88 bytes");
static POINT TrayPoint;

void AddTrayIcon()
{
    // A restarted shell announces itself with this message; without the icon a
    // panel hidden to the tray could never come back.
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    ZeroMemory(&TrayRecord, sizeof(TrayRecord));
    TrayRecord.cbSize = kTrayRecordSize;
    TrayRecord.hWnd = MainPanel;
    TrayRecord.uID = 1;
    TrayRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayRecord.uCallbackMessage = TrayCallbackMessage;
    TrayRecord.hIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(2));
    lstrcpynA(TrayRecord.szTip, "Vexlo", 64);
    Shell_NotifyIconA(NIM_ADD, &TrayRecord);
}

void RemoveTrayIcon()
{
    TrayRecord.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &TrayRecord);
}

LRESULT OnTaskbarCreated()
{
    Shell_NotifyIconA(NIM_ADD, &TrayRecord);
    return 0;
}

LRESULT OnTrayCallback(LPARAM lParam)
{
    switch (lParam) {
    case WM_LBUTTONUP:
        ShowWindow(MainPanel, SW_SHOW);
        SetForegroundWindow(MainPanel);
        PanelHidden = 0;
        return 1;
    case WM_RBUTTONUP:
        GetCursorPos(&TrayPoint);
        ShowTrayMenu(TrayPoint.x, TrayPoint.y);
        return 1;
    }
    return 0;
}
