// Notification-area icon. This module owns the notification record and the
// number of the shell's "TaskbarCreated" message.
#pragma once
#include <windows.h>
#include <shellapi.h>

constexpr UINT TrayCallbackMessage = 954;
extern UINT TaskbarCreatedMessage;
// Filled once by AddTrayIcon, in its first, 88-byte form.
extern NOTIFYICONDATAA TrayRecord;

void AddTrayIcon();
void RemoveTrayIcon();
// Message 954: lParam is the mouse message that happened over the icon.
LRESULT OnTrayCallback(LPARAM lParam);
// The notification area was rebuilt (the shell restarted): add the icon again.
LRESULT OnTaskbarCreated();
