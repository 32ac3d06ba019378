#include "data/DataError.h"
#include "data/TextRules.h"

#include <gtest/gtest.h>

using namespace TextRules;
using namespace Qt::StringLiterals;

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
    EXPECT_EQ(numberFromText(u"-1e400x"), -std::numeric_limits<double>::infinity()); // never 0
    EXPECT_EQ(numberFromText(u"12.00004x"), 12.00004); // never rounded to 12
    EXPECT_EQ(numberFromText(u"0.1"), 0.1);
}

TEST(TextRules, ExactNumberRefusesAnythingBesideTheNumber)
{
    EXPECT_EQ(exactNumber(u" 42 "), 42);
    EXPECT_EQ(exactNumber(u"-0.25"), -0.25);
    EXPECT_FALSE(exactNumber(u"12abc"));
    EXPECT_FALSE(exactNumber(u""));
    EXPECT_FALSE(exactNumber(u"' or 1=1 --"));
    EXPECT_FALSE(exactNumber(u"1e999")); // not a finite number
}

// The one reading of a whole number that every box uses: a fraction is never whole, not even one past the
// fourth decimal place that a figure would round away.
TEST(TextRules, AWholeNumberIsTheWholeTextReadAsAFigureWithoutAFraction)
{
    const struct {
        const char16_t* text;
        std::optional<int> whole;
    } cases[] = {
        {u"12", 12},           {u" 04 ", 4},           {u"-7", -7},          {u"+3", 3},
        {u"12.0", 12},         {u"12.", 12},           {u"1.5e3", 1500},     {u"1200e-2", 12},
        {u"2147483647", 2147483647}, {u"-2147483648", -2147483647 - 1},
        {u"12.00004", {}},     {u"12.5", {}},          {u"0.0001", {}},      {u"1.25e1", {}},
        {u"2147483648", {}},   {u"3000000000", {}},    {u"1e20", {}},        {u"1e400", {}},
        {u"12abc", {}},        {u"abc", {}},           {u"", {}},            {u"  ", {}},
        {u"1 or 1=1", {}},     {u"-", {}},             {u"1,000", {}},       {u"１２", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wholeNumberIn(c.text), c.whole) << QString::fromUtf16(c.text).toStdString();
    EXPECT_EQ(wholeNumberIn(u"12", 1, 12), 12);
    EXPECT_FALSE(wholeNumberIn(u"13", 1, 12));
    EXPECT_FALSE(wholeNumberIn(u"0", 1, 12));
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

TEST(TextRules, ABoxNumberOutsideItsRuleIsRefusedNeverRoundedOrClamped)
{
    using TextRules::NumberRule;
    const NumberRule code = NumberRule::wholeNumber(0);
    const NumberRule stock = NumberRule::wholeCount(0);
    const NumberRule money = NumberRule::figure();
    struct Case { const char16_t* text; std::optional<double> code, stock, money; };
    const Case cases[] = {
        {u" 12 ", 12, 12, 12},
        {u"12.5", {}, {}, 12.5},
        {u"2147483648", {}, 2147483648.0, 2147483648.0},
        {u"922337203685477", {}, 922337203685477.0, {}},
        {u"99999999999.9999", {}, {}, 99999999999.9999}, // the last four-place figure the books keep exactly
        {u"1.50000", {}, {}, 1.5},
        {u"0.00005", {}, {}, {}},                          // a fifth decimal place, not rounded away
        {u"1000000000000000", {}, {}, {}},      // 10^15
        {u"100000000000000000000", {}, {}, {}}, // 10^20
        {u"1e400", {}, {}, {}},
        {u"-3", {}, {}, -3},
        {u"12abc", {}, {}, {}},
        {u"", {}, {}, {}},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(TextRules::numberIn(text, code), c.code) << text.toStdString();
        EXPECT_EQ(TextRules::numberIn(text, stock), c.stock) << text.toStdString();
        EXPECT_EQ(TextRules::numberIn(text, money), c.money) << text.toStdString();
    }

    // The refusal says what is wrong with the text and names the range on its detail line.
    struct Refusal { QString text; NumberRule rule; QString message, detail; DataError::Reason reason; };
    const Refusal refusals[] = {
        {u"12.7"_s, code, u"'12.7' is not a whole number for code"_s,
         u"code must be a whole number from 0 to 2147483647."_s, DataError::Reason::Other},
        {u"1e400"_s, money, u"'1e400' is out of range for code"_s,
         u"code must be a number from -99999999999.9999 to 99999999999.9999."_s, DataError::Reason::OutOfRange},
        {u"0.00005"_s, money, u"'0.00005' has more than four decimal places for code"_s,
         u"code takes at most four decimal places."_s, DataError::Reason::Other},
        {u"north"_s, stock, u"'north' is not a number for code"_s,
         u"code must be a whole number from 0 to 922337203685477."_s, DataError::Reason::Other},
    };
    for (const Refusal& r : refusals) {
        try {
            TextRules::numberOrRefuse(r.text, r.rule, u"code"_s);
            ADD_FAILURE() << "took " << r.text.toStdString();
        } catch (const DataError& error) {
            EXPECT_EQ(error.message(), r.message);
            EXPECT_EQ(error.detail(), r.detail);
            EXPECT_EQ(error.reason(), r.reason);
        }
    }
    EXPECT_THROW(TextRules::numberOrRefuse(-0.5, stock, u"stock"_s), DataError);
}

TEST(TextRules, ControlCharactersAreFoundWhereverTheyStand)
{
    for (const QString& text : {u"a\tb"_s, u"\r"_s, u"line\n"_s, u"\x1b[0m"_s, u"x"_s + QChar(0), u"\x7f"_s})
        EXPECT_TRUE(TextRules::hasControlCharacter(text)) << text.toStdString();
    for (const QString& text : {u"陳 O'Brien"_s, u"50% off, \"new\""_s, QString()})
        EXPECT_FALSE(TextRules::hasControlCharacter(text)) << text.toStdString();
}
