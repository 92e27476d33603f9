#include "core/TypedLimit.h"

#include <gtest/gtest.h>

using namespace zor;

TEST(TypedLimit, AddedCharactersAreCutToTheRoomLeft)
{
    struct Case {
        const char* before;
        const char* after;
        int limit;
        const char* text;
        int cursor;
    };
    const Case cases[] = {
        {"AB", "ABC", 5, "ABC", 3},                     // room enough
        {"ABCDE", "ABCDEF", 5, "ABCDE", 5},             // full: the key adds nothing
        {"AB", "ABCDEFGH", 5, "ABCDE", 5},              // a paste keeps what fits
        {"AC", "AXYZWC", 4, "AXYC", 3},                 // inserted in the middle
        {"ABCDEFGHIJ", "ABCDEFGHI", 5, "ABCDEFGHI", 9}, // longer text may shrink
        {"ABCDEFGHIJ", "ABCDEFGHIJK", 5, "ABCDEFGHIJ", 10},
        {"ABCDE", "AXE", 5, "AXE", 2},        // a selection replaced
        {"AB", "ABCDEFGH", 0, "ABCDEFGH", 8}, // no limit
    };
    for (const Case& c : cases) {
        const LimitedEdit edit = LimitAddedText(c.before, c.after, c.limit);
        EXPECT_EQ(edit.text, QString(c.text)) << c.before << " -> " << c.after;
        EXPECT_EQ(edit.cursor, c.cursor) << c.before << " -> " << c.after;
    }
}
