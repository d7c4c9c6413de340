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

// A list is built in one block committed at start-up, so a refresh allocates nothing:
// the listed labels and their collation keys back to back, then the order they sort in.
// A list that outgrows the block is left to the list box's own sorting.
struct ListBuild {
    const WindowRecord* record[kWindowTableRecords];
    const char* label[kWindowTableRecords];
    LabelKey key[kWindowTableRecords];
    uint16_t order[kWindowTableRecords];
    uint16_t scratch[kWindowTableRecords];
    char text[512 * 1024];
};
static ListBuild* Listing = NULL;
static char TitleBuffer[kLabelNameMax + 1];
static char ClassBuffer[kLabelNameMax + 1];

// 1 when this system's list box orders labels as their collation keys do, 0 when it
// does not (the list then sorts itself, item by item); -1 until the first list.
static int KeysOrderAsList = -1;

static uint32_t HandleToRecord(HWND window)
{
    return (uint32_t)(ULONG_PTR)window;
}

HWND RecordToHandle(uint32_t handle)
{
    // Handles are 32 bits significant and sign-extended on 64-bit Windows.
    return (HWND)(LONG_PTR)(int32_t)handle;
}

// Made hidden: a visible combo box paints its field as it is made, and Wine puts
// that on the screen at once, a white field on an unpainted black panel before
// the first frame. Hidden, its font, field height and first list cost no redraw
// either. ShowWindowCombo gives it its full style as the first frame goes out.
void CreateWindowCombo()
{
    WindowCombo = CreateWindowExA(0, "COMBOBOX", NULL, kWindowComboStyle & ~WS_VISIBLE, 10, 47, 330, 180,
                                  MainPanel, NULL, ModuleInstance, NULL);
}

void ShowWindowCombo()
{
    ShowWindow(WindowCombo, SW_SHOWNA);
}

void AllocateWindowTable()
{
    AttachWindowTable(VirtualAlloc(NULL, kWindowTableBytes, MEM_COMMIT, PAGE_READWRITE));
    Listing = static_cast<ListBuild*>(VirtualAlloc(NULL, sizeof(ListBuild), MEM_COMMIT, PAGE_READWRITE));
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

// Writes the record's label at out; returns its length.
static int BuildRecordLabel(const WindowRecord* record, char* out)
{
    HWND window = RecordToHandle(record->handle);
    if (GetWindowTextA(window, TitleBuffer, sizeof(TitleBuffer)) <= 0)
        TitleBuffer[0] = '\0';
    const char* className = NULL;
    if (TitleBuffer[0] == '\0' && GetClassNameA(window, ClassBuffer, sizeof(ClassBuffer)) > 0)
        className = ClassBuffer;
    return BuildWindowLabel(out, TitleBuffer, className, record->handle);
}

// A record is a top-level window, whose parent, the desktop, is always visible: its
// own style bit answers what IsWindowVisible would, with one call instead of a walk
// up the parents. A window made someone's child since then is asked the long way.
static bool IsListedVisible(HWND window)
{
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return false;
    return !(style & WS_CHILD) || IsWindowVisible(window);
}

// The key the list's own comparison amounts to: the label widened as the list widens
// it (the ANSI code page), keyed in the list's locale without regard to case.
// Returns the key's length, 0 when it does not fit in room.
static int KeyOf(const char* label, LCID locale, unsigned char* out, int room)
{
    WCHAR wide[kLabelBufferBytes];
    if (MultiByteToWideChar(CP_ACP, 0, label, -1, wide, kLabelBufferBytes) == 0)
        return 0;
    return LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, wide, -1, reinterpret_cast<LPWSTR>(out), room);
}

// Whether the (empty) list sorts a few awkward labels as their keys do: leading
// brackets and signs, case, digits, Cyrillic. A list box with rules of its own is
// left to sort every list itself.
static bool ListSortsByKeys(LCID locale)
{
    static const char* const kProbes[] = {
        "[b]", "b", "A", "-c", "'d", "_e", "1", "~f", "a-b", "ab", "\xC0\xE1", "\xE0\xC2", "\xB8", "\xE5", "z", " y",
    };
    const int count = sizeof(kProbes) / sizeof(kProbes[0]);
    unsigned char bytes[count][64];
    LabelKey keys[count];
    uint16_t order[count], scratch[count];
    for (int i = 0; i < count; ++i) {
        keys[i] = LabelKey{bytes[i], KeyOf(kProbes[i], locale, bytes[i], sizeof(bytes[i]))};
        if (keys[i].length == 0)
            return false;
        order[i] = static_cast<uint16_t>(i);
    }
    SortByKeys(order, scratch, count, keys);
    for (int i = 0; i < count; ++i)
        SendMessageA(WindowCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kProbes[i]));
    bool same = true;
    for (int i = 0; i < count; ++i) {
        char text[8] = "";
        if (SendMessageA(WindowCombo, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof(text)))
            SendMessageA(WindowCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        same = same && lstrcmpA(text, kProbes[order[i]]) == 0;
    }
    SendMessageA(WindowCombo, CB_RESETCONTENT, 0, 0);
    return same;
}

// The list's own sorted insertion.
static void AddSortedByList(const char* label, const WindowRecord* record)
{
    const LRESULT index = SendMessageA(WindowCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    SendMessageA(WindowCombo, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(record));
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
    const LCID locale = static_cast<LCID>(SendMessageA(WindowCombo, CB_GETLOCALE, 0, 0));
    if (KeysOrderAsList < 0)
        KeysOrderAsList = ListSortsByKeys(locale) ? 1 : 0;
    COMBOBOXINFO parts = {sizeof(parts), {0, 0, 0, 0}, {0, 0, 0, 0}, 0, NULL, NULL, NULL};
    bool keyed = Listing != NULL && KeysOrderAsList == 1 && GetComboBoxInfo(WindowCombo, &parts) &&
                 parts.hwndList != NULL;
    char* room = keyed ? Listing->text : NULL;
    const char* const poolEnd = keyed ? room + sizeof(Listing->text) : NULL;
    char direct[kLabelBufferBytes];
    int count = 0;
    RewindWindowTable();
    while (const WindowRecord* record = NextCatalogueRecord()) {
        if (ListAllWindows != 1 && !IsListedVisible(RecordToHandle(record->handle)))
            continue;
        char* label = keyed ? room : direct;
        const int length = BuildRecordLabel(record, label);
        if (keyed) {
            // The key goes after the label, leaving room for the next label.
            unsigned char* key = reinterpret_cast<unsigned char*>(label + length + 1);
            const ptrdiff_t keyRoom = poolEnd - reinterpret_cast<char*>(key) - kLabelBufferBytes;
            const int keyLength = keyRoom > 0 ? KeyOf(label, locale, key, static_cast<int>(keyRoom)) : 0;
            if (keyLength > 0) {
                Listing->record[count] = record;
                Listing->label[count] = label;
                Listing->key[count] = LabelKey{key, keyLength};
                ++count;
                room = reinterpret_cast<char*>(key + keyLength);
                continue;
            }
            // Out of room: the list sorts itself after all.
            for (int i = 0; i < count; ++i)
                AddSortedByList(Listing->label[i], Listing->record[i]);
            count = 0;
            keyed = false;
        }
        AddSortedByList(label, record);
    }

    // Sorted here, each label goes to the list's end: no search and no shifting of the
    // items after it, which the list's own sorted insertion costs per item. The combo
    // box hands item messages on to its drop-down list unchanged; sent there at once,
    // an item costs two messages instead of four.
    if (keyed) {
        SendMessageA(WindowCombo, CB_INITSTORAGE, count, room - Listing->text);
        for (int i = 0; i < count; ++i)
            Listing->order[i] = static_cast<uint16_t>(i);
        SortByKeys(Listing->order, Listing->scratch, count, Listing->key);
        for (int i = 0; i < count; ++i) {
            const int at = Listing->order[i];
            const LRESULT index = SendMessageA(parts.hwndList, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(Listing->label[at]));
            SendMessageA(parts.hwndList, LB_SETITEMDATA, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(Listing->record[at]));
        }
    }
    SendMessageA(WindowCombo, WM_SETREDRAW, TRUE, 0);

    // The window last acted on wins over the one merely shown before.
    LRESULT index = SendMessageA(WindowCombo, CB_SELECTSTRING, 0, (LPARAM)LastWindowText);
    if (index == CB_ERR)
        index = SendMessageA(WindowCombo, CB_SELECTSTRING, 0, (LPARAM)savedText);
    ShowTargetGeometry((int)index);
}
