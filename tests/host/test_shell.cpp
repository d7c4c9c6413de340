#include <gtest/gtest.h>

#include <cstring>

#include "app/core/placement.h"
#include "app/core/stored_title.h"

TEST(Placement, CentresAndTruncatesTowardZero)
{
    struct Case {
        float width, height;
        int left, top;
    } cases[] = {
        {1024, 768, 327, 309},
        {1025, 768, 327, 309},  // 327.5 truncated
        {369, 150, 0, 0},       // -0.5 truncated toward zero, not down to -1
        {360, 149, -5, 0},      // half the shortfall; -0.5 again gives 0
        {358, 100, -6, -25},
    };
    for (const Case& c : cases) {
        CentredOrigin o = CentrePanel(c.width, c.height, 370, 150);
        EXPECT_EQ(o.left, c.left) << "desktop width " << c.width;
        EXPECT_EQ(o.top, c.top) << "desktop height " << c.height;
    }
}

// The registry can hand back any bytes; the text must always end inside its 100 bytes.
static void Settle(char* text, StoredTitleQuery q, unsigned long type, unsigned long bytes)
{
    SettleStoredTitle(text, q, type, bytes);
}

TEST(StoredTitle, KeepsOrCutsWhatTheQueryReturned)
{
    char text[100];

    std::memset(text, 'A', sizeof(text));
    std::memcpy(text, "Notes", 6);
    Settle(text, StoredTitleQuery::Ok, kRegSz, 6);
    EXPECT_STREQ(text, "Notes");

    // Stored without its NUL: read as the same text.
    std::memset(text, 'A', sizeof(text));
    std::memcpy(text, "Notes", 5);
    Settle(text, StoredTitleQuery::Ok, kRegSz, 5);
    EXPECT_STREQ(text, "Notes");

    // Exactly 100 bytes without NUL: first 99 characters.
    std::memset(text, 'B', sizeof(text));
    Settle(text, StoredTitleQuery::Ok, kRegSz, 100);
    EXPECT_EQ(std::strlen(text), 99u);

    // 99 characters and the NUL fit as they are.
    std::memset(text, 'C', 99);
    text[99] = '\0';
    Settle(text, StoredTitleQuery::Ok, kRegSz, 100);
    EXPECT_EQ(std::strlen(text), 99u);
}

TEST(StoredTitle, IgnoresWhatIsNotAFittingString)
{
    char text[100];
    const unsigned long kRegDword = 4;
    struct Case {
        StoredTitleQuery query;
        unsigned long type;
        unsigned long bytes;
    } cases[] = {
        {StoredTitleQuery::Ok, kRegDword, 4},
        {StoredTitleQuery::TooLarge, kRegSz, 150},
        {StoredTitleQuery::Failed, 0, 100},
        {StoredTitleQuery::Ok, 2 /* REG_EXPAND_SZ */, 6},
    };
    for (const Case& c : cases) {
        std::memset(text, 'D', sizeof(text));
        Settle(text, c.query, c.type, c.bytes);
        EXPECT_STREQ(text, "");
    }
}
