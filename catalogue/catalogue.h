// Window catalogue: the WindowTable of enumerated top-level windows and
// WindowCombo, through which the user picks the target.
// This module owns the table, its cursor, ListAllWindows, ListVisibleOnly and WindowCombo.
#pragma once
#include <windows.h>

#include "catalogue/core/window_table.h"

extern HWND WindowCombo;
extern int ListAllWindows;   // 1: list every catalogued window; 0: visible ones only
extern int ListVisibleOnly;  // the VisibleWindowsRadio's state; the list building never reads it

// Panel build: creates WindowCombo (its font and item height come later from the shell).
void CreateWindowCombo();
// Start-up: commits and zero-fills the 64 KiB table, then fills the list.
void AllocateWindowTable();
void RefreshWindowList(bool reEnumerate);

// The handle field of a record and back: 32 bits significant, sign-extended on 64-bit.
uint32_t HandleToRecord(HWND window);
HWND RecordToHandle(uint32_t handle);
// The enumeration callback given to EnumWindows (lParam 0).
BOOL CALLBACK CatalogueWindow(HWND window, LPARAM);
// The record behind a WindowCombo item (its item data is the record's address);
// NULL for CB_ERR or an item without data.
const WindowRecord* ItemRecord(LRESULT index);
