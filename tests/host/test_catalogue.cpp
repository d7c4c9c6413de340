#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/core/labels.h"
#include "catalogue/core/pin_wake.h"
#include "catalogue/core/text.h"
#include "catalogue/core/window_table.h"

// Parsing wraps and never clamps; the rows marked 1 are also what formatting writes.
TEST(CatalogueText, DecimalsParsedAndFormatted)
{
    const struct { const char* text; int32_t value; bool formats; } cases[] = {
        {"", 0, 0}, {"-", 0, 0}, {"+", 0, 0}, {" \t\n-", 0, 0}, {"abc", 0, 0}, {"--5", 0, 0},
        {"  12abc", 12, 0}, {"\v\f\r+34 5", 34, 0}, {"-8", -8, 1}, {"0012", 12, 0}, {"0", 0, 1}, {"100", 100, 1},
        {"2147483647", INT_MAX, 1}, {"-2147483648", INT_MIN, 1}, {"2147483648", INT_MIN, 0}, {"4294967297", 1, 0},
        {"99999999999", 1215752191, 0}, {"\xA0" "5", 0, 0},  // bytes from 0x80 up are neither blanks nor digits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << "text \"" << c.text << "\"";
        char buffer[12] = "";
        if (c.formats)
            FormatDecimal(c.value, buffer);
        EXPECT_STREQ(buffer, c.formats ? c.text : "");
    }
}

static std::string Label(const char* title, const char* className, uint32_t handle)
{
    char out[kLabelBufferBytes];
    int length = BuildWindowLabel(out, title, className, handle);
    EXPECT_EQ(length, static_cast<int>(std::strlen(out)));
    return out;
}

TEST(CatalogueLabel, TitleOrClassCutAt104ThenHandleInEightUpperCaseDigits)
{
    EXPECT_EQ(Label("Notes", "Edit", 0x000A01F2), "Notes  [HWND: 000A01F2]");
    EXPECT_EQ(Label("", "tooltips_class32", 0x80000001u), "<tooltips_class32>  [HWND: 80000001]");
    EXPECT_EQ(Label("", nullptr, 2), "<>  [HWND: 00000002]");  // class could not be read
    EXPECT_EQ(Label("a", "", 0xFFABCDEFu), "a  [HWND: FFABCDEF]");  // upper-case hex digits
    std::string title(150, 'T'), longClass(150, 'c');
    EXPECT_EQ(Label(title.c_str(), "X", 0x10), title.substr(0, 104) + "  [HWND: 00000010]");
    std::string longest = Label("", longClass.c_str(), 0x10);  // 124 characters, the most there is
    EXPECT_EQ(longest, "<" + longClass.substr(0, 104) + ">  [HWND: 00000010]");
}

// The list's order: bytewise by key, unsigned, a key's own start before it, ties as they came.
TEST(CatalogueOrder, SortedByKeysBytewiseShorterPrefixFirstTiesStable)
{
    const struct { std::vector<std::string> keys; std::vector<int> order; } cases[] = {
        {{}, {}},
        {{"b"}, {0}},
        {{"b", "a"}, {1, 0}},
        {{"ab", "a", "", "abc"}, {2, 1, 0, 3}},
        {{"\x80", "\x7F", "\xFF\x01", "\x01"}, {3, 1, 0, 2}},
        {{"k", "j", "k", "i", "k"}, {3, 1, 0, 2, 4}},
        {{std::string("a\0b", 3), std::string("a\0a", 3), "a"}, {2, 1, 0}},  // zero bytes inside a key count
        {{"g", "f", "e", "d", "c", "b", "a"}, {6, 5, 4, 3, 2, 1, 0}},
    };
    for (const auto& c : cases) {
        std::vector<LabelKey> keys;
        std::vector<uint16_t> order, scratch(c.keys.size());
        for (const std::string& key : c.keys) {
            keys.push_back({reinterpret_cast<const unsigned char*>(key.data()), static_cast<int>(key.size())});
            order.push_back(static_cast<uint16_t>(order.size()));
        }
        SortByKeys(order.data(), scratch.data(), static_cast<int>(order.size()), keys.data());
        EXPECT_EQ(std::vector<int>(order.begin(), order.end()), c.order) << c.keys.size() << " keys";
    }
}

// A woken stuck target comes forward only for the newest pin, within 2 s, while selected, the user
// stayed and is not at work in the panel, and the target can be seen.
TEST(CataloguePinWake, OnlyTheNewestPinWithinTwoSecondsWhileTheUserStaysAndIsNotBusy)
{
    // request, latest, pressed at, now, selected, stayed, press held, box open, typing, visible: wanted
    const struct { PinWake w; bool wanted; } rows[] = {
        {{3, 3, 500, 500, 1, 1, 0, 0, 0, 1}, 1},  {{3, 3, 500, 2500, 1, 1, 0, 0, 0, 1}, 1},  // at once; 2 s
        {{3, 3, 500, 2501, 1, 1, 0, 0, 0, 1}, 0},                                            // later
        {{3, 4, 500, 600, 1, 1, 0, 0, 0, 1}, 0},  {{3, 3, 500, 600, 0, 1, 0, 0, 0, 1}, 0},   // newer; unselected
        {{3, 3, 500, 600, 1, 0, 0, 0, 0, 1}, 0},                                             // the user left
        {{3, 3, 500, 600, 1, 1, 1, 0, 0, 1}, 0},  {{3, 3, 500, 600, 1, 1, 0, 1, 0, 1}, 0},   // a drag; a box
        {{3, 3, 500, 600, 1, 1, 0, 0, 1, 1}, 0},  {{3, 3, 500, 600, 1, 1, 0, 0, 0, 0}, 0},   // typing; hidden
        {{3, 3, 0xFFFFF830u, 0, 1, 1, 0, 0, 0, 1}, 1}, {{3, 3, 0xFFFFF830u, 1, 1, 1, 0, 0, 0, 1}, 0},  // the wrap
    };
    int n = 0;
    for (const auto& r : rows)
        EXPECT_EQ(PinWakeWanted(r.w), r.wanted) << "row " << n++;
}

// The table itself, full and after a shorter run, is checked on the real list (wine Catalogue.*).
TEST(WindowTableMissing, NoBlockMeansAnEmptyCatalogue)
{
    AttachWindowTable(nullptr);
    EXPECT_FALSE(StoreWindowRecord(1, 0, 0, 1, 1));
    CloseCatalogue();
    EXPECT_EQ(NextCatalogueRecord(), nullptr);
}
