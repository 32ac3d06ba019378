#include "data/TextRules.h"

#include <gtest/gtest.h>

using namespace TextRules;

TEST(TextRules, NumberFromTextTakesTheLongestLeadingNumber)
{
    EXPECT_EQ(numberFromText(u" 12abc"), 12);
    EXPECT_EQ(numberFromText(u"-3.5e2x"), -350);
    EXPECT_EQ(numberFromText(u""), 0);
    EXPECT_EQ(numberFromText(u"abc"), 0);
    EXPECT_EQ(numberFromText(u"  .5"), 0.5);
    EXPECT_EQ(numberFromText(u"7e"), 7);       // an exponent without digits is not part of the number
    EXPECT_EQ(numberFromText(u"1.2.3"), 1.2);
    EXPECT_EQ(numberFromText(u"0912-345"), 912);
    EXPECT_EQ(numberFromText(u"-"), 0);
}

TEST(TextRules, ExactNumberRefusesAnythingBesideTheNumber)
{
    EXPECT_EQ(exactNumber(u" 42 "), 42);
    EXPECT_EQ(exactNumber(u"-0.25"), -0.25);
    EXPECT_FALSE(exactNumber(u"12abc"));
    EXPECT_FALSE(exactNumber(u""));
    EXPECT_FALSE(exactNumber(u"' or 1=1 --"));
    EXPECT_FALSE(exactNumber(u"1e999")); // not a finite number

    EXPECT_EQ(wholeNumberIn(u" 04 ", 1, 12), 4);
    EXPECT_EQ(wholeNumberIn(u"9999", 1, 9999), 9999);
    for (const char16_t* refused : {u"13", u"0", u"4.5", u"4x", u"", u"1 or 1=1"})
        EXPECT_FALSE(wholeNumberIn(refused, 1, 12)) << QString::fromUtf16(refused).toStdString();
    EXPECT_FALSE(wholeNumberIn(u"3000000000")) << "beyond 32 bits";
}

TEST(TextRules, RoundingIsHalfToEvenWithin32Bits)
{
    EXPECT_EQ(roundToInt32(2.5), 2);
    EXPECT_EQ(roundToInt32(3.5), 4);
    EXPECT_EQ(roundToInt32(-2.5), -2);
    EXPECT_EQ(roundToInt32(2.4999), 2);
    EXPECT_EQ(roundToInt32(1e12), 2147483647);
    EXPECT_EQ(roundToInt32(-1e12), -2147483647 - 1);
}

TEST(TextRules, IntegerDivisionTruncatesTowardsZero)
{
    EXPECT_EQ(intDiv(7, 2), 3);
    EXPECT_EQ(intDiv(-7, 2), -3);
    EXPECT_EQ(intDiv(7, 0), 0);
}

TEST(TextRules, DatesAreWrittenAndReadAsYearMonthDay)
{
    EXPECT_EQ(dateText(QDate(2002, 4, 22)), QStringLiteral("2002/4/22"));
    EXPECT_EQ(dateText(QDate(2026, 12, 8)), QStringLiteral("2026/12/8"));
    EXPECT_EQ(dateFromText(u"2002/4/22"), QDate(2002, 4, 22));
    EXPECT_EQ(dateFromText(u"2002-04-22"), QDate(2002, 4, 22));
    EXPECT_FALSE(dateFromText(u"2002/2/30"));
    EXPECT_FALSE(dateFromText(u"22/4/2002"));
    EXPECT_FALSE(dateFromText(u""));
}

TEST(TextRules, NumberTextIsPlainDecimal)
{
    EXPECT_EQ(numberText(12.0), QStringLiteral("12"));
    EXPECT_EQ(numberText(-3.25), QStringLiteral("-3.25"));
    EXPECT_EQ(numberText(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(numberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(numberText(-1234.5678), QStringLiteral("-1234.5678"));
    EXPECT_EQ(numberText(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(numberText(1.0 / 3), QStringLiteral("0.333333333333333"));
}
