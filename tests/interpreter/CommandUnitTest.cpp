#include "interpreter/CommandUnit.h"
#include "interpreter/CommandTable.h"
#include "tests/support/QtPrinters.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace zor;

namespace {

QString Fields(int count)
{
    QStringList fields;
    for (int k = 1; k <= count; ++k)
        fields << QString::number(k);
    return fields.join(QLatin1Char('^'));
}

} // namespace

TEST(CommandUnit, SplitFillsSlotsFromOneAndLeavesTheRestEmpty)
{
    CommandUnit unit(QStringLiteral("to^3^^Name^"));
    ASSERT_TRUE(unit.Split());
    EXPECT_EQ(unit.FieldCount(), 5);
    EXPECT_EQ(unit.Field(0), QString());
    EXPECT_EQ(unit.Field(1), QStringLiteral("to"));
    EXPECT_EQ(unit.Field(2), QStringLiteral("3"));
    EXPECT_EQ(unit.Field(3), QString());
    EXPECT_EQ(unit.Field(4), QStringLiteral("Name"));
    EXPECT_EQ(unit.Field(5), QString());
    EXPECT_EQ(unit.Field(6), QString());
    EXPECT_EQ(unit.Field(30), QString());
    EXPECT_EQ(unit.Field(99), QString());
    EXPECT_EQ(unit.Field(-1), QString());
}

TEST(CommandUnit, TwentyNineFieldsFitThirtyDoNot)
{
    CommandUnit full(Fields(29));
    ASSERT_TRUE(full.Split());
    EXPECT_EQ(full.Field(29), QStringLiteral("29"));

    CommandUnit over(Fields(30));
    EXPECT_FALSE(over.Split());
    EXPECT_EQ(over.Field(1), QString());
}

TEST(CommandUnit, AFieldEqualToTheEndMarkerEndsTheFields)
{
    // Everything after the marker is past the end of the unit, so a long
    // tail behind it does not count against the field limit.
    CommandUnit unit(QStringLiteral("to^1^~!@^") + Fields(40));
    ASSERT_TRUE(unit.Split());
    EXPECT_EQ(unit.FieldCount(), 2);
    EXPECT_EQ(unit.Field(3), QString());
    EXPECT_EQ(unit.Text(), QStringLiteral("to^1^~!@^") + Fields(40));
    EXPECT_EQ(CommandUnit::CodeOf(QStringLiteral("~!@^x")), QString());
}

TEST(CommandTable, CodesAreComparedWholeWithoutRegardToCase)
{
    struct Case {
        const char* code;
        const char* found; // null: plain text
        bool needsCaret;
    };
    const Case cases[] = {
        {"to", "to", true},      {"TO", "to", true},      {"Image", "image", true},   {"cs", "cs", false},
        {"dr", "dr", false},     {"sm", "sm", true},      {"COM", "com", false},      {"test", "test", true},
        {"go", "go", false},     {" to", nullptr, false}, {"to ", nullptr, false},    {"t", nullptr, false},
        {"tox", nullptr, false}, {"", nullptr, false},    {"images", nullptr, false}, {"t\xf6", nullptr, false},
    };
    for (const Case& c : cases) {
        const CommandEntry* entry = FindCommand(QString::fromLatin1(c.code));
        if (!c.found) {
            EXPECT_EQ(entry, nullptr) << c.code;
            continue;
        }
        ASSERT_NE(entry, nullptr) << c.code;
        EXPECT_STREQ(entry->code, c.found);
        EXPECT_EQ(entry->needsCaret, c.needsCaret) << c.code;
    }
}

TEST(CommandTable, PairsShareOneHandler)
{
    EXPECT_EQ(FindCommand(u"im")->handler, FindCommand(u"image")->handler);
    EXPECT_NE(FindCommand(u"im")->handler, nullptr);
    EXPECT_EQ(FindCommand(u"ph")->handler, FindCommand(u"on")->handler);
    EXPECT_EQ(FindCommand(u"pe")->handler, FindCommand(u"off")->handler);
}
