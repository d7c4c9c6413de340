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
void ShowWindowCombo();
// Start-up: commits and zero-fills the 64 KiB table, then fills the list.
void AllocateWindowTable();
void RefreshWindowList(bool reEnumerate);

// A record's handle field as a window: 32 bits significant, sign-extended on 64-bit.
HWND RecordToHandle(uint32_t handle);
// The record behind a WindowCombo item (its item data is the record's address);
// NULL for CB_ERR or an item without data.
const WindowRecord* ItemRecord(LRESULT index);
