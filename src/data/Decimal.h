#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>
#include <compare>
#include <concepts>
#include <limits>
#include <optional>

// Money and counts as the books keep them: a whole number of ten-thousandths in 64 bits. Sums are exact
// (0.1 + 0.2 is 0.3); products and conversions from double round to four places, a half going to the
// even neighbour. Stored as double precision, read and shown through this type.
//
// Nothing wraps or is clamped: a figure beyond the range (about ±922 trillion) is refused. The try and
// checked forms give nothing there, so a caller can refuse with its own message; the plain forms and
// the operators throw DataError (reason OutOfRange, the detail naming the range).
class Decimal {
public:
    static constexpr qint64 Scale = 10000;
    // The largest whole number every figure of the range reaches: 922337203685477.
    static constexpr qint64 WholeLimit = std::numeric_limits<qint64>::max() / Scale;
    // The largest four-place figure a double-precision column gives back as it was written: fifteen
    // significant digits, 99999999999.9999. Whole numbers come back exactly up to WholeLimit.
    static constexpr qint64 StoredUnitsLimit = 999'999'999'999'999;

    constexpr Decimal() = default;
    // Only exact sources convert: every whole number of 32 bits fits; a wider one goes through
    // fromWhole, a double through fromDouble.
    template <std::integral Whole>
        requires(sizeof(Whole) <= sizeof(qint32) && !std::same_as<Whole, bool>)
    explicit constexpr Decimal(Whole whole) : m_units(qint64(whole) * Scale) {}

    // The nearest four-place value of a double (halves to even); nothing for NaN, an infinity or a
    // value beyond the range.
    static std::optional<Decimal> tryFromDouble(double value);
    // A whole number of 64 bits; nothing beyond WholeLimit.
    static std::optional<Decimal> tryFromWhole(qint64 whole);
    static Decimal fromWhole(qint64 whole);
    static Decimal fromDouble(double value);
    // The number a text begins with, by the business's number-reading rule ("12abc" -> 12; none -> 0);
    // nothing where that number is beyond the range. Digits past the fourth decimal place are rounded
    // away, and `rounded`, where given, tells whether any of them was not 0.
    static std::optional<Decimal> tryFromText(QStringView text, bool* rounded = nullptr);
    static Decimal fromText(QStringView text);
    // A value read from the database: null or unreadable counts 0; a figure beyond the range throws.
    static Decimal fromVariant(const QVariant& value);
    static constexpr Decimal fromUnits(qint64 units) { Decimal d; d.m_units = units; return d; }

    static constexpr Decimal max() { return fromUnits(std::numeric_limits<qint64>::max()); }
    static constexpr Decimal lowest() { return fromUnits(-std::numeric_limits<qint64>::max()); }
    // "from -922337203685477 to 922337203685477": the range as a refusal names it.
    static QString rangeText();

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }
    // Plain text without grouping: "12", "-3.5", "0.0001".
    QString toString() const;

    // To the nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
    qint64 roundedToWhole() const { return roundedTo(0).m_units / Scale; }
    // To `places` (0 to 4) decimal places, halves to even.
    Decimal roundedTo(int places) const;

    // Sums, differences, products and quotients; nothing where the result is beyond the range.
    // Division by zero gives 0, as the books always had it.
    static std::optional<Decimal> checkedAdd(Decimal a, Decimal b);
    static std::optional<Decimal> checkedSubtract(Decimal a, Decimal b);
    static std::optional<Decimal> checkedMultiply(Decimal a, Decimal b);
    static std::optional<Decimal> checkedDivide(Decimal a, Decimal b);

    friend Decimal operator+(Decimal a, Decimal b);
    friend Decimal operator-(Decimal a, Decimal b);
    friend constexpr Decimal operator-(Decimal a) { return fromUnits(-a.m_units); } // the range is symmetric
    friend Decimal operator*(Decimal a, Decimal b);
    friend Decimal operator/(Decimal a, Decimal b);
    Decimal& operator+=(Decimal other) { return *this = *this + other; }
    Decimal& operator-=(Decimal other) { return *this = *this - other; }

    friend constexpr auto operator<=>(Decimal, Decimal) = default;
    friend constexpr bool operator==(Decimal, Decimal) = default;

private:
    qint64 m_units = 0;
};
