// The stored value: whatever shape it has is read safely; a save writes the title as a string with its NUL.
#include <gtest/gtest.h>

#include <cstring>

#include "app/settings.h"
#include "catalogue/actions.h"
#include "tests/wine/harness.h"

namespace {

void StoreRaw(DWORD type, const void* data, DWORD bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kSettingsKey, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "LastWindow", 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

bool KeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// LastWindowText after a read into a buffer of 'x': a missing terminator gives all 100 bytes.
std::string ReadAfresh()
{
    std::memset(LastWindowText, 'x', sizeof(LastWindowText));
    ReadSettings();
    return std::string(LastWindowText, strnlen(LastWindowText, sizeof(LastWindowText)));
}

// The stored value's bytes after saving the window's title.
std::string SavedBytes(HWND window)
{
    SaveLastWindow(window);
    EXPECT_EQ(StoredLastWindow(), Stored(LastWindowText));
    return StoredLastWindow();
}

// The key exists but refuses every access (an empty access list).
bool LockSettingsKey(bool lock)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof(empty), ACL_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, lock ? &empty : NULL, FALSE);
    bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

}  // namespace

TEST(Settings, ReadsEveryShapeSafelySavesTheTitleWithItsNulAndALockedKeyChangesNothing)
{
    // The value holds the prefix, then the fill; what is read is its first `length` bytes.
    const struct { const char* name; DWORD type, bytes; char fill; const char* prefix; size_t length; } cases[] = {
        {"with NUL", REG_SZ, 6, 0, "Notes", 5}, {"without NUL", REG_SZ, 5, 0, "Notes", 5},
        {"dword", REG_DWORD, 4, 0, "\x01\x02\x03\x04", 0}, {"100 bytes, no NUL", REG_SZ, 100, 'a', "", 99},
        {"150 bytes", REG_SZ, 150, 'b', "", 0}, {"5,000 bytes", REG_SZ, 5000, 'c', "", 0},
        {"expandable string", REG_EXPAND_SZ, 6, 0, "Notes", 0},
    };
    // First run: no key at all; reading creates it empty.
    ForgetSettings();
    EXPECT_TRUE(ReadAfresh().empty() && KeyExists() && StoredLastWindow() == "<none>");
    for (const auto& c : cases) {
        ForgetSettings();
        char data[5000];
        std::memset(data, c.fill, sizeof(data));
        std::memcpy(data, c.prefix, std::strlen(c.prefix));
        StoreRaw(c.type, data, c.bytes);
        EXPECT_EQ(ReadAfresh(), std::string(data, c.length)) << c.name;
    }

    ForgetSettings();  // the first save creates the key
    HWND window = MakeWindow("Блокнот", WS_POPUP);
    EXPECT_EQ(SavedBytes(window), std::string("\xC1\xEB\xEE\xEA\xED\xEE\xF2", 8));
    // Longer than 99 characters: the first 99 are kept. An empty title stores one NUL byte.
    SetWindowTextA(window, std::string(150, 'L').c_str());
    EXPECT_EQ(SavedBytes(window), std::string(99, 'L') + '\0');
    SetWindowTextA(window, "");
    EXPECT_EQ(SavedBytes(window), std::string(1, '\0'));
    // A window that is gone leaves the text empty.
    DestroyWindow(window);
    SaveLastWindow(window);
    EXPECT_STREQ(LastWindowText, "");

    // A locked key reads as nothing, and the refused save leaves the stored value as it was.
    StoreRaw(REG_SZ, "Notes", 6);
    ASSERT_TRUE(LockSettingsKey(true));
    const bool refused = !KeyExists();
    const std::string read = ReadAfresh();
    SaveLastWindow(MakeWindow("Other", WS_POPUP));
    ASSERT_TRUE(LockSettingsKey(false));
    ASSERT_TRUE(refused) << "the platform did not refuse the locked key";
    EXPECT_EQ(read, "");
    EXPECT_EQ(StoredLastWindow(), Stored("Notes"));
    ForgetSettings();
}


// The stored window is chosen at start-up, and the geometry fields, made after
// the first frame, show its size and place.
TEST(StartUp, ReselectsTheStoredWindowAndShowsItsGeometry)
{
    HWND target = MakeWindow("Start-up target", WS_POPUP | WS_VISIBLE, 30, 40, 220, 170);
    ForgetSettings();
    StoreRaw(REG_SZ, "Start-up target", 16);
    BootPanel(true);
    EXPECT_EQ(SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0), ItemOf(target));
    EXPECT_EQ(Text(WidthEdit) + " " + Text(HeightEdit) + " " + Text(LeftEdit) + " " + Text(TopEdit),
              "220 170 30 40");
    ForgetSettings();
}

// The panel's thread makes no IME window (made with a thread's first window, it
// costs Wine a call to every window on the desktop), and the panel, made
// covering the monitor, is left folded.
TEST(StartUp, MakesNoImeWindowAndLeavesThePanelFolded)
{
    FreshPanel();
    int imeWindows = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) -> BOOL {
            char name[16] = "";
            GetClassNameA(window, name, sizeof(name));
            if (lstrcmpiA(name, "IME") == 0)
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&imeWindows));
    EXPECT_EQ(imeWindows, 0);
    RECT client;
    GetClientRect(MainPanel, &client);
    EXPECT_EQ(client.right - client.left, 370);
    EXPECT_EQ(client.bottom - client.top, 150);
    EXPECT_EQ(PanelWidth, 370.0f);
    EXPECT_EQ(PanelHeight, 150.0f);
}
