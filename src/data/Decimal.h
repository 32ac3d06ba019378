#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>
#include <compare>

// Money and counts as the books keep them: a whole number of ten-thousandths in 64 bits. Sums are exact
// (0.1 + 0.2 is 0.3); products and conversions from double round to four places, a half going to the
// even neighbour. Stored as double precision, read and shown through this type.
class Decimal {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Decimal() = default;
    constexpr Decimal(int whole) : m_units(qint64(whole) * Scale) {}

    // The nearest four-place value of a double (halves to even); NaN gives 0, values beyond the
    // range are clamped to it.
    static Decimal fromDouble(double value);
    // The number a text begins with, by the business's number-reading rule ("12abc" -> 12; none -> 0).
    static Decimal fromText(QStringView text);
    // A value read from the database: null or unreadable counts 0.
    static Decimal fromVariant(const QVariant& value);
    static constexpr Decimal fromUnits(qint64 units) { Decimal d; d.m_units = units; return d; }

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }
    // Plain text without grouping: "12", "-3.5", "0.0001".
    QString toString() const;

    // To the nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
    qint64 roundedToWhole() const { return roundedTo(0).m_units / Scale; }
    // To `places` (0 to 4) decimal places, halves to even.
    Decimal roundedTo(int places) const;

    friend constexpr Decimal operator+(Decimal a, Decimal b) { return fromUnits(a.m_units + b.m_units); }
    friend constexpr Decimal operator-(Decimal a, Decimal b) { return fromUnits(a.m_units - b.m_units); }
    friend constexpr Decimal operator-(Decimal a) { return fromUnits(-a.m_units); }
    friend Decimal operator*(Decimal a, Decimal b);
    // Division rounds to four places, halves to even; division by zero gives 0.
    friend Decimal operator/(Decimal a, Decimal b);
    Decimal& operator+=(Decimal other) { m_units += other.m_units; return *this; }
    Decimal& operator-=(Decimal other) { m_units -= other.m_units; return *this; }

    friend constexpr auto operator<=>(Decimal, Decimal) = default;
    friend constexpr bool operator==(Decimal, Decimal) = default;

private:
    qint64 m_units = 0;
};
