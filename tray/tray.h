// Notification-area icon. This module owns the notification record.
#pragma once
#include <windows.h>

constexpr UINT TrayCallbackMessage = 954;

void AddTrayIcon();
void RemoveTrayIcon();
