// The window list on the real panel, and actions on test-owned targets.
#include <gtest/gtest.h>

#include <set>

#include "app/settings.h"
#include "catalogue/actions.h"
#include "panel/panel.h"
#include "tests/wine/harness.h"

static const char kShowBytes[] = "\xCF\xEE\xEA\xE0\xE7\xE0\xF2\xFC";  // "Показать"
static const char kHideBytes[] = "\xD1\xEF\xF0\xFF\xF2\xE0\xF2\xFC";  // "Спрятать"

// The window's entry, byte for byte: the combo's own search ignores case.
static bool ListedAs(HWND window, const char* name)
{
    char label[300], text[256] = "";
    wsprintfA(label, "%s  [HWND: %08X]", name, (unsigned)(ULONG_PTR)window);
    const LRESULT item = SendMessageA(WindowCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)label);
    SendMessageA(WindowCombo, CB_GETLBTEXT, item, (LPARAM)text);
    return item != CB_ERR && lstrcmpA(label, text) == 0;
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

static LRESULT Selection() { return SendMessageA(WindowCombo, CB_GETCURSEL, 0, 0); }

static std::string Geometry()
{
    return Text(WidthEdit) + " " + Text(HeightEdit) + " " + Text(LeftEdit) + " " + Text(TopEdit);
}

// WindowCombo's items are in the order its list box gives the same labels added one by one.
static void ExpectTheListBoxOwnOrder()
{
    HWND sorter = CreateWindowExA(0, "COMBOBOX", NULL, WS_CHILD | CBS_SORT | CBS_DROPDOWN, 0, 0, 9, 9, MainPanel, NULL,
                                  NULL, NULL);
    std::vector<std::string> listed, sorted;
    for (int i = (int)SendMessageA(WindowCombo, CB_GETCOUNT, 0, 0) - 1; i >= 0; --i) {
        char text[128] = "";
        SendMessageA(WindowCombo, CB_GETLBTEXT, i, (LPARAM)text);
        listed.insert(listed.begin(), text);
        SendMessageA(sorter, CB_ADDSTRING, 0, (LPARAM)text);
    }
    for (int i = 0; i < (int)listed.size(); ++i) {
        char text[128] = "";
        SendMessageA(sorter, CB_GETLBTEXT, i, (LPARAM)text);
        sorted.push_back(text);
    }
    DestroyWindow(sorter);
    EXPECT_GT(listed.size(), 14u);
    EXPECT_EQ(listed, sorted);
}

// The real panel after its start-up, with no stored window.
class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { FreshPanel(); }
};

TEST_F(Catalogue, ListsVisibleOrAllSortedIgnoringCaseReselectsLastWindowThenSavedTextElseNothing)
{
    // The newest window is enumerated first: only the list's own sorting puts alpha before Beta.
    HWND alpha = MakeWindow("catalogue alpha", WS_POPUP | WS_VISIBLE, 40, 50, 210, 160);
    HWND beta = MakeWindow("Catalogue Beta");
    HWND hidden = MakeWindow("Catalogue Gamma", WS_POPUP);
    HWND untitled = MakeWindow("", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, "VexloTestNoTitle");
    std::string longTitle(150, 'W');
    HWND longOne = MakeWindow(longTitle.c_str());
    RefreshWindowList(true);

    EXPECT_TRUE(ListedAs(untitled, "<VexloTestNoTitle>") && ListedAs(beta, "Catalogue Beta"));
    EXPECT_TRUE(ListedAs(longOne, longTitle.substr(0, 104).c_str()));
    EXPECT_EQ(ItemOf(hidden), CB_ERR);
    EXPECT_LT(ItemOf(alpha), ItemOf(beta));  // a byte order would put "C" before "c"
    for (const char* title : {"[Catalogue", "-Catalogue", "'catalogue", "catalogue-x", "cataloguex", "_Catalogue",
                              "10 Catalogue", "9 Catalogue", "~Catalogue", "\xA8\xEB\xEA\xE0", "\xB8\xE6",
                              "\xC5\xEB\xEA\xE0", "\xE5\xE6", "\xDF\xED\xE2\xE0\xF0\xFC"})
        MakeWindow(title);
    RefreshWindowList(true);
    ExpectTheListBoxOwnOrder();
    const WindowRecord* record = ItemRecord(ItemOf(alpha));
    EXPECT_TRUE(record->width == 210 && record->height == 160 && record->left == 40 && record->top == 50);

    // Relisting reads titles and visibility anew but keeps the enumerated geometry.
    SetWindowTextA(alpha, "catalogue alpha renamed");
    MoveWindow(alpha, 0, 0, 50, 50, TRUE);
    ShowWindow(beta, SW_HIDE);
    DestroyWindow(untitled);
    ListAllWindows = 1;
    RefreshWindowList(false);
    EXPECT_TRUE(ItemOf(hidden) != CB_ERR && ItemOf(beta) != CB_ERR);
    EXPECT_TRUE(ListedAs(alpha, "catalogue alpha renamed"));
    EXPECT_TRUE(ListedAs(untitled, "<>"));  // gone: neither title nor class
    EXPECT_EQ(ItemRecord(ItemOf(alpha))->width, 210);

    ListAllWindows = 0;
    RefreshWindowList(false);
    EXPECT_TRUE(ItemOf(beta) == CB_ERR && ItemOf(untitled) == CB_ERR);
    EXPECT_NE(ItemOf(alpha), CB_ERR);

    HWND one = MakeWindow("Reselect One", WS_POPUP | WS_VISIBLE, 10, 20, 300, 200);
    HWND two = MakeWindow("Reselect Two", WS_POPUP | WS_VISIBLE, 30, 40, 310, 210);
    lstrcpyA(LastWindowText, "reselect two");
    RefreshWindowList(true);
    EXPECT_EQ(Selection(), ItemOf(two));
    EXPECT_EQ(Geometry(), "310 210 30 40");

    // Only looked at, not acted on: the window last acted on still wins.
    SendMessageA(WindowCombo, CB_SETCURSEL, ItemOf(one), 0);
    RefreshWindowList(true);
    EXPECT_EQ(Selection(), ItemOf(two));

    lstrcpyA(LastWindowText, "No such window");
    SendMessageA(WindowCombo, CB_SETCURSEL, ItemOf(one), 0);
    RefreshWindowList(true);
    EXPECT_TRUE(Selection() == ItemOf(one) && Text(WidthEdit) == "300");

    SetWindowTextA(WidthEdit, "777");
    SetWindowTextA(WindowCombo, "Nothing like it");
    RefreshWindowList(true);
    EXPECT_TRUE(Selection() == CB_ERR && Text(WindowCombo).empty());
    EXPECT_EQ(Text(WidthEdit) + " " + Text(TopEdit), "777 20");

    // Picking from the list shows the record's numbers, not the window's present ones.
    MoveWindow(one, 0, 0, 99, 99, TRUE);
    SendMessageA(WindowCombo, CB_SETCURSEL, ItemOf(one), 0);
    SendMessageA(MainPanel, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), (LPARAM)WindowCombo);
    EXPECT_EQ(Text(WidthEdit), "777");
    SendMessageA(MainPanel, WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK), (LPARAM)WindowCombo);
    EXPECT_EQ(Geometry(), "300 200 10 20");

    // Two windows with one title: the search starts at the second item, the first comes last.
    HWND twins[] = {MakeWindow("!Twin"), MakeWindow("!Twin")};
    lstrcpyA(LastWindowText, "!twin");
    RefreshWindowList(true);
    ASSERT_EQ(std::min(ItemOf(twins[0]), ItemOf(twins[1])), 0) << "the twins must sort first";
    EXPECT_EQ(Selection(), 1);
}

TEST_F(Catalogue, FullTableListsTheFirst3276ThenAShorterRunOnlyItsOwn)
{
    // Long titles: the full list's labels and keys outgrow the room kept for them, and the list sorts itself.
    const std::string crowd = "Crowd " + std::string(98, 'w');
    std::vector<HWND> made;
    for (int i = 0; i < 3300; ++i)
        made.push_back(MakeWindow(crowd.c_str(), WS_POPUP));
    ListAllWindows = 1;
    for (bool full : {true, false}) {
        std::vector<HWND> order;
        EnumWindows(CollectWindow, (LPARAM)&order);
        ASSERT_EQ(order.size() > 3276u, full);
        RefreshWindowList(true);
        const std::vector<HWND> listed = ListedWindows();
        const size_t count = full ? 3276u : order.size();  // nothing of the first run, nothing twice
        ASSERT_EQ(listed.size(), count);
        EXPECT_TRUE(std::set<HWND>(listed.begin(), listed.end()) == std::set<HWND>(order.begin(), order.begin() + count));
        if (full) {
            ExpectTheListBoxOwnOrder();
            EXPECT_EQ(WindowTableCursor - WindowTableStart, 65520);
            for (int i = 65520; i < 65536; ++i)  // nothing written into the block's last bytes
                EXPECT_EQ(WindowTableStart[i], 0) << "byte " << i;
            for (int i = 0; i < 100; ++i)
                DestroyWindow(made[i]);
        }
    }
}

using Actions = Catalogue;  // on test-owned targets

// A window that will not be layered: every style change loses that bit.
static LRESULT CALLBACK RefusesLayered(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_EXSTYLE))
        reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~WS_EX_LAYERED;
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND Refuser;

// What a timer saw of the box shown while a request ran; it pressed the box's OK.
static struct SeenBox { HWND box, owner; std::string caption, text; bool warningIcon; } Seen;

// Runs inside the box's own modal loop.
static void CALLBACK ReadBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", NULL);
    if (Seen.box != NULL || box == NULL || !IsWindowVisible(box))
        return;
    Seen.box = box;
    Seen.caption = Text(box);
    Seen.owner = GetWindow(box, GW_OWNER);
    for (HWND child = NULL; (child = FindWindowExA(box, child, "Static", NULL)) != NULL;) {
        Seen.warningIcon |= SendMessageA(child, STM_GETICON, 0, 0) == (LRESULT)LoadIconA(NULL, (LPCSTR)IDI_WARNING);
        if (!Text(child).empty())
            Seen.text = Text(child);
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

template <typename Request>
static void Watching(Request request)
{
    Seen = SeenBox();
    UINT_PTR timer = SetTimer(NULL, 0, 50, ReadBox);
    request();
    KillTimer(NULL, timer);
}

// Hidden, renamed and vanished targets, TargetHidden across two (a plain pin: e2e PointerEndToEnd.PickSetOnTop*),
// a target that refuses layering, and the panel's own entry: only its window changes, not its flags
// (PanelPinned, PanelHidden, PanelLayered, PanelPlacement); Close ends the program.
TEST_F(Actions, HiddenRenamedVanishedAndAwkwardTargetsTheHideShowButtonFollowsTargetHidden)
{
    HWND a = MakeWindow("Pin Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND b = MakeWindow("Hide B", WS_POPUP | WS_VISIBLE, 300, 300);
    ASSERT_TRUE(SelectTarget(a));
    ApplyToTarget(ActionPin);
    ShowWindow(a, SW_HIDE);
    SetWindowTextA(a, "Pin Target renamed");
    ApplyToTarget(ActionUnpin);
    EXPECT_TRUE(!Topmost(a) && IsWindowVisible(a));
    EXPECT_STREQ(LastWindowText, "Pin Target renamed");
    EXPECT_EQ(StoredLastWindow(), Stored("Pin Target renamed"));

    ShowWindow(a, SW_HIDE);
    TargetHidden = 1;
    ApplyToTarget(ActionPin);
    EXPECT_TRUE(IsWindowVisible(a) && TargetHidden == 1 && Topmost(a));

    // The button asks for what TargetHidden says, on whichever window is selected now.
    SendMessageA(WindowCombo, CB_SETCURSEL, ItemOf(b), 0);
    ShowWindow(b, SW_HIDE);
    PressButton(HideShowButton);
    EXPECT_TRUE(IsWindowVisible(b) && IsWindowVisible(a) && TargetHidden == 0 && Text(HideShowButton) == kHideBytes);
    EXPECT_EQ(StoredLastWindow(), Stored("Hide B"));
    PressButton(HideShowButton);
    EXPECT_TRUE(!IsWindowVisible(b) && IsWindowVisible(a) && TargetHidden == 1 && Text(HideShowButton) == kShowBytes);

    HWND target = MakeWindow("Vanishing Target");
    ASSERT_TRUE(SelectTarget(target));
    DestroyWindow(target);
    lstrcpyA(LastWindowText, "Earlier");
    TargetHidden = 1;
    Watching([] { PressButton(HideShowButton); });
    ASSERT_NE(Seen.box, (HWND)NULL) << "no warning box";
    EXPECT_EQ(Seen.caption, "\xCE\xF8\xE8\xE1\xEA\xE0");  // "Ошибка"
    const char expected[] =  // 79 bytes
        "           !!! \xCE\xEA\xED\xEE \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED\xEE !!!\n\n"
        "\xCE\xEA\xED\xEE \xE2\xE5\xF0\xEE\xFF\xF2\xED\xEE \xF3\xE6\xE5 "
        "\xE7\xE0\xEA\xF0\xFB\xF2\xEE. \xCE\xE1\xED\xEE\xE2\xE8\xF2\xE5 \xF1\xEF\xE8\xF1\xEE\xEA.";
    EXPECT_EQ(Seen.text, expected);
    EXPECT_TRUE(Seen.owner == MainPanel && Seen.warningIcon);
    EXPECT_TRUE(lstrcmpA(LastWindowText, "Earlier") == 0 && TargetHidden == 1);
    EXPECT_EQ(Text(HideShowButton), kShowBytes);
    EXPECT_EQ(StoredLastWindow(), Stored("Hide B"));  // as the last action left it

    // No selection, or an item that leads to no record: nothing at all, not even the box.
    LRESULT loose = SendMessageA(WindowCombo, CB_ADDSTRING, 0, (LPARAM)"~ no record");
    SendMessageA(WindowCombo, CB_SETITEMDATA, loose, CB_ERR);
    for (LRESULT item : {(LRESULT)CB_ERR, loose}) {
        SendMessageA(WindowCombo, CB_SETCURSEL, item, 0);
        Watching([] { ApplyToTarget(ActionHide); });
        EXPECT_TRUE(Seen.box == NULL && TargetHidden == 1 && lstrcmpA(LastWindowText, "Earlier") == 0) << item;
    }

    Refuser = MakeWindow("Faults Refuser", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, "VexloRefuser", RefusesLayered);
    ASSERT_EQ(ListAllWindows, 0);
    ASSERT_TRUE(SelectTarget(MainPanel)) << "the panel lists itself among the visible windows";
    ListAllWindows = 1;  // and stays listed while it is hidden
    RequestedWidth = 300;
    RequestedHeight = 200;
    RequestedLeft = 50;
    RequestedTop = 60;
    const struct { HWND* target; TargetAction action; float alpha; bool (*effect)(); } targets[] = {
        {&Refuser, ActionSetAlpha, 128, [] { return !(ExStyle(Refuser) & WS_EX_LAYERED); }},
        {&Refuser, ActionSetAlpha, 255, [] { return !(ExStyle(Refuser) & WS_EX_LAYERED); }},
        {&MainPanel, ActionUnpin, 255, [] { return !Topmost(MainPanel) && PanelPinned == 1; }},
        {&MainPanel, ActionPin, 255, [] { return Topmost(MainPanel); }},
        {&MainPanel, ActionHide, 255, [] { return !IsWindowVisible(MainPanel) && !PanelHidden && TargetHidden; }},
        {&MainPanel, ActionShow, 255, [] { return IsWindowVisible(MainPanel) && TargetHidden == 0; }},
        {&MainPanel, ActionMove, 255, [] { return Placed(MainPanel) == "50,60 370x150"; }},
        {&MainPanel, ActionResize, 255,
         [] { return Placed(MainPanel) == "50,60 300x200" && PanelPlacement.height == 150; }},
        {&MainPanel, ActionSetAlpha, 128, [] { return AlphaOf(MainPanel) == 128 && PanelLayered == 0; }},
        {&MainPanel, ActionSetAlpha, 255, [] { return !(ExStyle(MainPanel) & WS_EX_LAYERED); }},
        // The panel answers its own close request: the program ends, its title with it.
        {&MainPanel, ActionClose, 255, [] { return !IsWindow(MainPanel) && QuitPosted(); }},
    };
    for (const auto& row : targets) {
        HWND window = *row.target;
        const std::string title = row.action == ActionClose ? "" : Text(window);
        SCOPED_TRACE(testing::Message() << title << ": action " << row.action << ", alpha " << row.alpha);
        ASSERT_TRUE(SelectTarget(window));
        TargetAlpha = row.alpha;
        const DWORD start = GetTickCount();
        ApplyToTarget(row.action);
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_TRUE(row.effect());
        EXPECT_EQ(LastWindowText, title);
        EXPECT_EQ(StoredLastWindow(), Stored(title.c_str()));
    }
}

