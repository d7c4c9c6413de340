#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "catalogue/core/labels.h"
#include "catalogue/core/text.h"
#include "catalogue/core/window_table.h"

TEST(CatalogueText, ParseDecimalEdges)
{
    const struct { const char* text; int32_t value; } cases[] = {
        {"", 0}, {"-", 0}, {"+", 0}, {" \t\n-", 0}, {"abc", 0}, {"--5", 0},
        {"  12abc", 12}, {"\v\f\r+34 5", 34}, {"-8", -8}, {"0012", 12},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"2147483648", INT_MIN},  // wraps, no clamping
        {"4294967297", 1}, {"99999999999", 1215752191},
        {"\xA0" "5", 0},  // bytes from 0x80 up are neither blanks nor digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimal(c.text), c.value) << "text \"" << c.text << "\"";
}

TEST(CatalogueText, FormatDecimalWritesEverySignedValue)
{
    const struct { int32_t value; const char* text; } cases[] = {
        {0, "0"}, {-8, "-8"}, {100, "100"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const auto& c : cases) {
        char buffer[12];
        FormatDecimal(c.value, buffer);
        EXPECT_STREQ(buffer, c.text);
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

// The table itself, full and after a shorter run, is checked on the real list (wine Catalogue.*).
TEST(WindowTableMissing, NoBlockMeansAnEmptyCatalogue)
{
    AttachWindowTable(nullptr);
    EXPECT_FALSE(StoreWindowRecord(1, 0, 0, 1, 1));
    CloseCatalogue();
    EXPECT_EQ(NextCatalogueRecord(), nullptr);
}
