#include "session/InlineHelp.h"
#include "core/Colors.h"

#include <gtest/gtest.h>

using namespace zor;

TEST(InlineHelp, LinesAreDirectivesIgnoredOrText)
{
    struct Case {
        const char* line;
        HelpLine::Kind kind;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"+COLOR=12", HelpLine::Directive, "color", "12"},
        {"+size = 14 ", HelpLine::Directive, "size", "14"},
        {"+LINE", HelpLine::Directive, "LINE", ""},
        {"+line", HelpLine::Directive, "line", ""},
        {"+Color", HelpLine::Directive, "Color", ""},
        {"+", HelpLine::Directive, "", ""},
        {"+font=Courier New=x", HelpLine::Directive, "font", "Courier New=x"},
        {"{x", HelpLine::Ignored, "", ""},
        {"}", HelpLine::Ignored, "", ""},
        {"Alpha", HelpLine::Text, "", ""},
        {" +color=1", HelpLine::Text, "", ""},
        {"", HelpLine::Text, "", ""},
    };
    for (const Case& c : cases) {
        const HelpLine parsed = ParseHelpLine(QString::fromLatin1(c.line));
        EXPECT_EQ(parsed.kind, c.kind) << c.line;
        EXPECT_EQ(parsed.key, QLatin1String(c.key)) << c.line;
        EXPECT_EQ(parsed.value, QLatin1String(c.value)) << c.line;
    }
}

TEST(InlineHelp, ColoursAndSwitchesTakeOnlyValuesTheyCanBe)
{
    const std::pair<const char*, std::optional<qint32>> colours[] = {
        {"&hFF", 0xFF},       {"&HFFFFFF", 0xFFFFFF}, {"&h8000000F", SystemColor(15)},
        {"9", QBColor(9)},    {"0", QBColor(0)},      {"15", QBColor(15)},
        {"16", std::nullopt}, {"-1", std::nullopt},   {"&hFFFFFFFFF", std::nullopt},
        {"&h", std::nullopt}, {"&hXY", std::nullopt}, {"red", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [value, expected] : colours)
        EXPECT_EQ(HelpColour(QString::fromLatin1(value)), expected) << value;
    EXPECT_EQ(ToQColor(*HelpColour(QStringLiteral("9"))), QColor(0, 0, 255));

    const std::pair<const char*, std::optional<bool>> switches[] = {
        {"True", true}, {"false", false}, {"TRUE", true},        {"-1", true},
        {"0", false},   {"2", true},      {"yes", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [value, expected] : switches)
        EXPECT_EQ(HelpBoolean(QString::fromLatin1(value)), expected) << value;
}

TEST(InlineHelp, DirectivesSetThePrintPositionFontAndColours)
{
    HelpPage page;
    const int height = page.LineHeight();
    page.Apply(QStringLiteral("one"), 20);
    page.Apply(QStringLiteral("two"), 20);
    EXPECT_EQ(page.PrintY(), 2 * height);
    // Bold moves back to the caption's height, over what was printed there.
    page.Apply(QStringLiteral("+bold=true"), 20);
    EXPECT_TRUE(page.Font().bold());
    EXPECT_EQ(page.PrintY(), 20);
    page.Apply(QStringLiteral("+size=14"), 20);
    EXPECT_EQ(page.Font().pointSizeF(), 14);
    for (const char* bad : {"+size=0", "+size=-3", "+size=5000", "+size=big", "+color=16", "+back=&hFFFFFFFFF",
                            "+italic=maybe", "+font="})
        page.Apply(QString::fromLatin1(bad), 20);
    EXPECT_EQ(page.Font().pointSizeF(), 14);
    EXPECT_FALSE(page.Font().italic());
    EXPECT_EQ(page.ForeColour(), QColor(Qt::black));
    EXPECT_EQ(page.BackColour(), QColor(Qt::white));
    page.Apply(QStringLiteral("+Color=&hFF"), 20);
    page.Apply(QStringLiteral("+back=9"), 20);
    page.Apply(QStringLiteral("+underline=1"), 20);
    page.Apply(QStringLiteral("+italic=True"), 20);
    page.Apply(QStringLiteral("+font=Courier New"), 20);
    EXPECT_EQ(page.ForeColour(), QColor(255, 0, 0));
    EXPECT_EQ(page.BackColour(), QColor(0, 0, 255));
    EXPECT_TRUE(page.Font().underline());
    EXPECT_TRUE(page.Font().italic());
    EXPECT_EQ(page.Font().family(), QStringLiteral("Courier New"));

    const size_t before = page.Items().size();
    page.Apply(QStringLiteral("+LINE"), 20);
    page.Apply(QStringLiteral("{skip"), 20);
    page.Apply(QStringLiteral("+other=1"), 20);
    EXPECT_EQ(page.Items().size(), before);
    page.Apply(QStringLiteral("+line"), 20);
    ASSERT_EQ(page.Items().size(), before + 1);
    EXPECT_TRUE(page.Items().back().rule);
    EXPECT_EQ(page.Items().back().y, 20);
    EXPECT_EQ(page.Items().back().colour, QColor(255, 0, 0));

    page.Apply(QStringLiteral("+clear"), 20);
    EXPECT_TRUE(page.Items().empty());
    EXPECT_EQ(page.PrintY(), 0);
    EXPECT_GT(page.Apply(QStringLiteral("top"), 20), 0);
    EXPECT_EQ(page.Items().front().y, 0);
}

TEST(InlineHelp, APageStaysBoundedWhateverTheHostSends)
{
    HelpPage page;
    for (int i = 0; i < 10000; ++i)
        page.Apply(QStringLiteral("line %1").arg(i), 20);
    EXPECT_LE(page.PrintY(), HelpPage::MaxHeight);
    const size_t printed = page.Items().size();
    EXPECT_LT(printed, 10000u);
    // Rules print nothing and move nothing, yet are counted too.
    for (int i = 0; i < 2 * HelpPage::MaxItems; ++i)
        page.Apply(QStringLiteral("+line"), 20);
    EXPECT_EQ(page.Items().size(), static_cast<size_t>(HelpPage::MaxItems));

    page.Apply(QStringLiteral("+clear"), 20);
    page.Apply(QStringLiteral("+size=200"), 20);
    const QString huge(1 << 20, QLatin1Char('W'));
    const int width = page.Apply(huge, 20);
    ASSERT_EQ(page.Items().size(), 1u);
    EXPECT_EQ(page.Items().front().text.size(), HelpPage::MaxLineLength);
    EXPECT_GT(width, 0);
}
