// Window catalogue: the WindowTable of enumerated top-level windows and
// WindowCombo, through which the user picks the target.
// This module owns the table, its cursor, ListAllWindows, ListVisibleOnly and WindowCombo.
#pragma once
#include <windows.h>

extern HWND WindowCombo;
extern int ListAllWindows;   // 1: list every catalogued window; 0: visible ones only
extern int ListVisibleOnly;  // the VisibleWindowsRadio's state; the list building never reads it

// Panel build: creates WindowCombo (its font and item height come later from the shell).
void CreateWindowCombo();
// Start-up: commits and zero-fills the 64 KiB table, then fills the list.
void AllocateWindowTable();
void RefreshWindowList(bool reEnumerate);
