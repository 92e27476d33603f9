#include "core/NumberConversion.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>

using namespace zor;

TEST(NumberConversion, ValTakesTheLeadingNumber)
{
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"  42", 42},
        {"-7", -7},
        {"+5", 5},
        {"3.25x", 3.25},
        {"-.5", -0.5},
        {"1.2.3", 1.2},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"- 3", 0},
        {"1 2", 1},
        {"\t5", 0},
        {"0012", 12},
        {"12,3", 12},
        {"2.5e3", 2.5},
        {"123456789012345678901", 123456789012345678901.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(NumberConversion, ValOfHugeAndTinyNumbers)
{
    EXPECT_TRUE(std::isinf(Val(QString(400, QLatin1Char('9')))));
    EXPECT_LT(Val(QStringLiteral("-") + QString(400, QLatin1Char('9'))), 0);
    EXPECT_EQ(Val(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1")), 0);
}

TEST(NumberConversion, IntegerAndByteRoundHalfEvenAndRefuseWhatDoesNotFit)
{
    EXPECT_EQ(IntegerValue(QStringLiteral("2.5")), 2);
    EXPECT_EQ(IntegerValue(QStringLiteral("3.5")), 4);
    EXPECT_EQ(IntegerValue(QStringLiteral("-32768")), -32768);
    EXPECT_EQ(IntegerValue(QStringLiteral("32767.4")), 32767);
    EXPECT_THROW(IntegerValue(QStringLiteral("32767.5")), ValueDoesNotFit);
    EXPECT_THROW(IntegerValue(QStringLiteral("-40000")), ValueDoesNotFit);
    EXPECT_THROW(IntegerValue(QString(400, QLatin1Char('9'))), ValueDoesNotFit);

    EXPECT_EQ(ByteValue(QStringLiteral("255")), 255);
    EXPECT_EQ(ByteValue(QStringLiteral("-0.4")), 0);
    EXPECT_EQ(ByteValue(QStringLiteral("x")), 0);
    EXPECT_THROW(ByteValue(QStringLiteral("256")), ValueDoesNotFit);
    EXPECT_THROW(ByteValue(QStringLiteral("-1")), ValueDoesNotFit);
}
