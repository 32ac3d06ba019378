#include "data/DataError.h"
#include "data/Decimal.h"

#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include <type_traits>

TEST(Decimal, SumsAreExactAndHalvesGoToEven)
{
    EXPECT_EQ(Decimal::fromDouble(0.1) + Decimal::fromDouble(0.2), Decimal::fromText(u"0.3"));
    Decimal total;
    for (int i = 0; i < 1000; ++i)
        total += Decimal::fromDouble(0.01);
    EXPECT_EQ(total.toString(), u"10");

    struct Case { const char16_t* text; qint64 whole; const char16_t* twoPlaces; };
    const Case cases[] = {
        {u"2.5", 2, u"2.5"}, {u"3.5", 4, u"3.5"}, {u"-2.5", -2, u"-2.5"}, {u"-3.5", -4, u"-3.5"},
        {u"0.125", 0, u"0.12"}, {u"0.135", 0, u"0.14"}, {u"12abc", 12, u"12"}, {u"abc", 0, u"0"},
        {u"  7.00009", 7, u"7"}, {u"1.00005", 1, u"1"},
    };
    for (const Case& c : cases) {
        const Decimal d = Decimal::fromText(c.text);
        EXPECT_EQ(d.roundedToWhole(), c.whole) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(d.roundedTo(2).toString(), QString::fromUtf16(c.twoPlaces)) << QString::fromUtf16(c.text).toStdString();
    }
    // A stored double a hair below its half still rounds as the value that was typed.
    EXPECT_EQ(Decimal::fromDouble(0.15).roundedTo(1).toString(), u"0.2");
    EXPECT_EQ(Decimal::fromDouble(1e-9).toString(), u"0");
}

TEST(Decimal, ProductsQuotientsAndStoredValues)
{
    EXPECT_EQ((Decimal::fromText(u"1.5") * Decimal(3)).toString(), u"4.5");
    EXPECT_EQ((Decimal::fromText(u"0.0001") * Decimal::fromText(u"0.5")).toString(), u"0"); // half to even
    EXPECT_EQ((Decimal::fromText(u"0.0003") * Decimal::fromText(u"0.5")).toString(), u"0.0002");
    EXPECT_EQ((Decimal(10) / Decimal(3)).toString(), u"3.3333");
    EXPECT_EQ((Decimal(1) / Decimal(0)).toString(), u"0");
    EXPECT_EQ(Decimal::fromVariant(QVariant()).units(), 0);
    EXPECT_EQ(Decimal::fromVariant(QVariant(qlonglong(42))).toString(), u"42");
    EXPECT_EQ(Decimal::fromVariant(QVariant(2.675)).toString(), u"2.675");
    EXPECT_EQ(Decimal::fromVariant(QVariant(QStringLiteral("-0.5"))).toString(), u"-0.5");
    EXPECT_LT(Decimal(-1), Decimal::fromText(u"-0.9999"));
}

TEST(Decimal, NothingWrapsOrIsClampedAtTheEdgeOfTheRange)
{
    const Decimal oneUnit = Decimal::fromUnits(1);
    EXPECT_EQ(Decimal::checkedAdd(Decimal::max() - oneUnit, oneUnit), Decimal::max()) << "the edge itself holds";
    EXPECT_EQ(Decimal::checkedAdd(Decimal::max(), oneUnit), std::nullopt);
    EXPECT_EQ(Decimal::checkedSubtract(Decimal::lowest(), oneUnit), std::nullopt);
    EXPECT_EQ(Decimal::checkedMultiply(Decimal(1000000000), Decimal(1000000)), std::nullopt);
    EXPECT_EQ(Decimal::checkedDivide(Decimal::max(), Decimal::fromText(u"0.5")), std::nullopt);
    EXPECT_EQ((-Decimal::lowest()), Decimal::max());

    // Stock 100 plus a received 10^20, and other figures no box may hold.
    EXPECT_EQ(Decimal::tryFromText(u"99999999999999999999"), std::nullopt);
    EXPECT_EQ(Decimal::tryFromText(u"922337203685477.5808"), std::nullopt);
    EXPECT_EQ(Decimal::tryFromText(u"-922337203685477.5807"), Decimal::lowest());
    for (double huge : {1e15, -1e15, 1e20, std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_EQ(Decimal::tryFromDouble(huge), std::nullopt) << huge;
    EXPECT_EQ(Decimal::tryFromDouble(922337203685477.0)->toString(), u"922337203685477");
    EXPECT_EQ(Decimal::fromText(u"1.5e3x").toString(), u"1500");
    EXPECT_EQ(Decimal::fromText(u"-25e-5").toString(), u"-0.0002");

    // The plain forms refuse with the range on the detail line, so a form's handler can say it.
    const Decimal hundred(100);
    const Decimal nearTop = Decimal::fromText(u"922337203685477");
    const std::function<void()> overflowing[] = {
        [&] { (void)(hundred + nearTop); },
        [&] { (void)(-nearTop - hundred); },
        [&] { (void)(nearTop * Decimal(2)); },
        [&] { (void)Decimal::fromDouble(1e15); },
        [&] { (void)Decimal::fromText(u"1e400"); },
        [&] { (void)Decimal::fromVariant(QVariant(1e20)); },
        [&] { (void)Decimal::max().roundedTo(0); },
    };
    for (const auto& step : overflowing) {
        try {
            step();
            ADD_FAILURE() << "a figure beyond the range was taken";
        } catch (const DataError& error) {
            EXPECT_EQ(error.reason(), DataError::Reason::OutOfRange);
            EXPECT_EQ(error.detail(), u"A figure must lie from -922337203685477 to 922337203685477.");
        }
    }
}

// Only exact sources convert: a double or a 64-bit whole number goes through a named conversion, which
// keeps its value or refuses it, never through a constructor that would cut it.
static_assert(std::is_constructible_v<Decimal, int> && !std::is_convertible_v<int, Decimal>);
static_assert(!std::is_constructible_v<Decimal, double> && !std::is_constructible_v<Decimal, qint64>);

TEST(Decimal, WideWholeNumbersAndStoredFiguresComeBackExactly)
{
    EXPECT_EQ(Decimal::fromWhole(5000000000).toString(), u"5000000000");
    EXPECT_EQ(Decimal::tryFromWhole(Decimal::WholeLimit + 1), std::nullopt);

    // Every four-place figure up to the edge of what the books keep is read back from its double as written.
    const Decimal edge = Decimal::fromUnits(Decimal::StoredUnitsLimit);
    for (const Decimal figure : {edge, -edge, Decimal::fromText(u"12345678901.2345"), Decimal::fromText(u"0.0001"),
                                 Decimal::fromText(u"-98765432109.8765")})
        EXPECT_EQ(Decimal::tryFromDouble(figure.toDouble()), figure) << figure.toString().toStdString();

    bool rounded = false;
    EXPECT_EQ(Decimal::tryFromText(u"0.00005", &rounded), Decimal());
    EXPECT_TRUE(rounded) << "a fifth decimal place is told, so a box can refuse it";
    EXPECT_EQ(Decimal::tryFromText(u"1.50000", &rounded)->toString(), u"1.5");
    EXPECT_FALSE(rounded);
}
