#include "core/Fields.h"
#include "core/SessionLink.h"
#include "core/SharedState.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zor;

TEST(Fields, GetFieldCases)
{
    struct Case {
        const char* text;
        int n;
        const char* expected;
    };
    const Case cases[] = {
        {"to^3^4^Name", 1, "to"},
        {"to^3^4^Name", 4, "Name"},
        {"to^3^4^Name", 0, ""},
        {"to^3^4^Name", -2, ""},
        {"a^b", 3, "b"},
        {"a^b", 99, "b"},
        {"   ", 1, ""},
        {"", 1, ""},
        {"a^^c", 2, ""},
        {"a^^c", 3, "c"},
        {"a^", 2, ""},
        {"a^", 5, ""},
        {" a ^ b ", 2, " b "},
        {"^x", 1, ""},
        {"^x", 2, "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetCaretField(QString::fromLatin1(c.text), c.n), QString::fromLatin1(c.expected))
            << c.text << " field " << c.n;
    EXPECT_EQ(GetField(QStringLiteral("x,Title,*.txt"), 3, QLatin1Char(',')), QStringLiteral("*.txt"));
}

TEST(Fields, FilterControlCharsKeepsTabActsOnBelEscSub)
{
    int beeps = 0;
    int pageBreaks = 0;
    Link().Beep = [&] { ++beeps; };
    Link().ReportPageBreak = [&] { ++pageBreaks; };

    QString text = QStringLiteral("A\tB\x07\r\n");
    EXPECT_EQ(FilterControlChars(text), QStringLiteral("A\tB"));
    EXPECT_EQ(text, QStringLiteral("A\tB"));
    EXPECT_EQ(beeps, 1);

    ReportMode = true;
    QString report = QStringLiteral("x\x1ay\x1bz\x01\x07\x07");
    EXPECT_EQ(FilterControlChars(report), QStringLiteral("xyz"));
    EXPECT_FALSE(ReportMode);
    EXPECT_EQ(pageBreaks, 1);
    EXPECT_EQ(beeps, 3);

    Link().Beep = nullptr;
    Link().ReportPageBreak = nullptr;
}

TEST(Fields, ReplaceInPlaceNeverChangesTheLength)
{
    struct Case {
        const char* text;
        const char* find;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"a,b,c", ",", ";", "a;b;c"},
        {"abcabc", "bc", "X", "aXcaXc"}, // a shorter replacement leaves the rest of the match
        {"a-b-c", "-", "==", "a===="},   // a longer one overwrites what follows, never past the end
        {"abc", "zz", "y", "abc"},
        {"", ",", ";", ""},
    };
    for (const Case& c : cases) {
        QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(ReplaceInPlace(text, QString::fromLatin1(c.find), QString::fromLatin1(c.replacement)),
                  QString::fromLatin1(c.expected))
            << c.text;
        EXPECT_EQ(text.size(), qstrlen(c.text));
    }
}
