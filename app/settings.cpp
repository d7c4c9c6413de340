#include "app/settings.h"
#include "app/core/stored_title.h"

char LastWindowText[100];

static const char kSettingsKey[] = "SOFTWARE\\Qorvsoft\\Vexlo";
static const char kLastWindowValue[] = "LastWindow";

// Opened for each read or write and closed right after; nothing stays open.
static bool OpenSettingsKey(HKEY* key, DWORD* disposition)
{
    *disposition = 0;
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, NULL, key, disposition) == ERROR_SUCCESS;
}

void ReadSettings()
{
    LastWindowText[0] = '\0';
    HKEY key;
    DWORD disposition;
    if (!OpenSettingsKey(&key, &disposition))
        return;
    if (disposition == REG_CREATED_NEW_KEY) {
        RegCloseKey(key);
        return;
    }
    DWORD type = 0;
    DWORD bytes = sizeof(LastWindowText);
    LONG status = RegQueryValueExA(key, kLastWindowValue, NULL, &type,
                                   reinterpret_cast<BYTE*>(LastWindowText), &bytes);
    StoredTitleQuery query = StoredTitleQuery::Failed;
    if (status == ERROR_SUCCESS)
        query = StoredTitleQuery::Ok;
    else if (status == ERROR_MORE_DATA)
        query = StoredTitleQuery::TooLarge;
    SettleStoredTitle(LastWindowText, query, type, bytes);
    RegCloseKey(key);
}

void SaveLastWindow(HWND target)
{
    // A vanished window leaves the text empty rather than stale.
    if (GetWindowTextA(target, LastWindowText, sizeof(LastWindowText)) <= 0)
        LastWindowText[0] = '\0';
    LastWindowText[sizeof(LastWindowText) - 1] = '\0';
    HKEY key;
    DWORD disposition;
    if (!OpenSettingsKey(&key, &disposition))
        return;
    RegSetValueExA(key, kLastWindowValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(LastWindowText),
                   static_cast<DWORD>(lstrlenA(LastWindowText) + 1));
    RegCloseKey(key);
}
