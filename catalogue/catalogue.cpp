#include "catalogue/catalogue.h"

#include "app/settings.h"
#include "app/shell.h"
#include "catalogue/actions.h"
#include "catalogue/core/labels.h"

HWND WindowCombo = NULL;
int ListAllWindows = 0;
int ListVisibleOnly = 1;

static const DWORD kWindowComboStyle = 0x50210542;  // child, visible, vscroll, tabstop, no integral
                                                    // height, sorted, autohscroll, drop-down

// One label at a time, in reused buffers: a refresh allocates nothing.
static char LabelBuffer[kLabelBufferBytes];
static char TitleBuffer[kLabelNameMax + 1];
static char ClassBuffer[kLabelNameMax + 1];

static uint32_t HandleToRecord(HWND window)
{
    return (uint32_t)(ULONG_PTR)window;
}

HWND RecordToHandle(uint32_t handle)
{
    // Handles are 32 bits significant and sign-extended on 64-bit Windows.
    return (HWND)(LONG_PTR)(int32_t)handle;
}

void CreateWindowCombo()
{
    WindowCombo = CreateWindowExA(0, "COMBOBOX", NULL, kWindowComboStyle, 10, 47, 330, 180,
                                  MainPanel, NULL, ModuleInstance, NULL);
}

void AllocateWindowTable()
{
    AttachWindowTable(VirtualAlloc(NULL, kWindowTableBytes, MEM_COMMIT, PAGE_READWRITE));
    RefreshWindowList(true);
}

// The enumeration callback given to EnumWindows (lParam 0).
static BOOL CALLBACK CatalogueWindow(HWND window, LPARAM)
{
    if (!WindowTableHasRoom())
        return FALSE;  // the table is full: this window and all later ones are left out
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    StoreWindowRecord(HandleToRecord(window), rect.left, rect.top, rect.right, rect.bottom);
    return TRUE;
}

const WindowRecord* ItemRecord(LRESULT index)
{
    if (index == CB_ERR)
        return NULL;
    LRESULT data = SendMessageA(WindowCombo, CB_GETITEMDATA, (WPARAM)index, 0);
    if (data == CB_ERR || data == 0)
        return NULL;
    return (const WindowRecord*)data;
}

static const char* BuildRecordLabel(const WindowRecord* record)
{
    HWND window = RecordToHandle(record->handle);
    if (GetWindowTextA(window, TitleBuffer, sizeof(TitleBuffer)) <= 0)
        TitleBuffer[0] = '\0';
    const char* className = NULL;
    if (TitleBuffer[0] == '\0' && GetClassNameA(window, ClassBuffer, sizeof(ClassBuffer)) > 0)
        className = ClassBuffer;
    BuildWindowLabel(LabelBuffer, TitleBuffer, className, record->handle);
    return LabelBuffer;
}

// The records are top-level windows, whose parent is the desktop: the style bit
// alone answers what IsWindowVisible would, with one system call instead of a walk
// up the parents.
static bool IsTopLevelVisible(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void RefreshWindowList(bool reEnumerate)
{
    char savedText[100];
    if (GetWindowTextA(WindowCombo, savedText, sizeof(savedText)) <= 0)
        savedText[0] = '\0';
    SendMessageA(WindowCombo, CB_RESETCONTENT, 0, 0);

    if (reEnumerate) {
        RewindWindowTable();
        EnumWindows(CatalogueWindow, 0);
        // An earlier, longer enumeration may have left records behind this one.
        CloseCatalogue();
    }

    // The list is out of sight while it fills: no scroll-bar bookkeeping per item.
    SendMessageA(WindowCombo, WM_SETREDRAW, FALSE, 0);
    RewindWindowTable();
    while (const WindowRecord* record = NextCatalogueRecord()) {
        if (ListAllWindows != 1 && !IsTopLevelVisible(RecordToHandle(record->handle)))
            continue;
        LRESULT index = SendMessageA(WindowCombo, CB_ADDSTRING, 0, (LPARAM)BuildRecordLabel(record));
        SendMessageA(WindowCombo, CB_SETITEMDATA, (WPARAM)index, (LPARAM)record);
    }
    SendMessageA(WindowCombo, WM_SETREDRAW, TRUE, 0);

    // The window last acted on wins over the one merely shown before.
    LRESULT index = SendMessageA(WindowCombo, CB_SELECTSTRING, 0, (LPARAM)LastWindowText);
    if (index == CB_ERR)
        index = SendMessageA(WindowCombo, CB_SELECTSTRING, 0, (LPARAM)savedText);
    ShowTargetGeometry((int)index);
}
