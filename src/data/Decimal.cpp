#include "data/Decimal.h"

#include "data/TextRules.h"

#include <cmath>
#include <limits>

namespace {

constexpr qint64 Powers[] = {1, 10, 100, 1000, 10000};

// numerator / denominator to the nearest whole number, a half going to the even neighbour.
qint64 divideHalfEven(__int128 numerator, __int128 denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    __int128 quotient = numerator / denominator;
    __int128 remainder = numerator % denominator;
    if (remainder < 0) { // floor division, so the remainder is never negative
        quotient -= 1;
        remainder += denominator;
    }
    const __int128 twice = remainder * 2;
    if (twice > denominator || (twice == denominator && (quotient & 1) != 0))
        quotient += 1;
    if (quotient > std::numeric_limits<qint64>::max())
        return std::numeric_limits<qint64>::max();
    if (quotient < std::numeric_limits<qint64>::min())
        return std::numeric_limits<qint64>::min();
    return qint64(quotient);
}

} // namespace

Decimal Decimal::fromDouble(double value)
{
    if (std::isnan(value))
        return {};
    const double scaled = value * Scale;
    constexpr double limit = 9.2e18;
    if (scaled >= limit)
        return fromUnits(std::numeric_limits<qint64>::max());
    if (scaled <= -limit)
        return fromUnits(std::numeric_limits<qint64>::min());
    // The double nearest to 0.15 is a hair below it: reading its fifteen significant digits, as the
    // clerk typed them, keeps the half where it was meant. Tiny and huge values go by plain rounding.
    const QString digits = QString::number(value, 'g', 15);
    if (!digits.contains(u'e'))
        return fromText(digits);
    return fromUnits(qint64(std::nearbyint(scaled)));
}

Decimal Decimal::fromText(QStringView text)
{
    // Parse the leading number exactly, without passing through a double.
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    __int128 digits = 0;
    int fractionDigits = 0;
    bool seenDigit = false, inFraction = false;
    int exponent = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            seenDigit = true;
            if (digits < __int128(1) << 100) {
                digits = digits * 10 + (c.unicode() - '0');
                if (inFraction)
                    ++fractionDigits;
            } else if (!inFraction) {
                ++exponent; // too many digits to hold: beyond any range anyway
            }
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return {};
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        // An exponent is rare in a box; the number-reading rule's double is close enough there.
        return fromDouble(TextRules::numberFromText(text));
    }
    __int128 denominator = 1;
    int shift = 4 - fractionDigits + exponent;
    while (shift > 0 && digits < (__int128(1) << 110)) {
        digits *= 10;
        --shift;
    }
    while (shift < 0) {
        denominator *= 10;
        ++shift;
    }
    const qint64 units = divideHalfEven(digits, denominator);
    return fromUnits(negative ? -units : units);
}

Decimal Decimal::fromVariant(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
        return fromUnits(value.toLongLong() * Scale);
    case QMetaType::Double: case QMetaType::Float:
        return fromDouble(value.toDouble());
    default:
        return fromText(value.toString());
    }
}

QString Decimal::toString() const
{
    const bool negative = m_units < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    QString text = QString::number(magnitude / Scale);
    quint64 fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return negative ? u'-' + text : text;
}

Decimal Decimal::roundedTo(int places) const
{
    places = qBound(0, places, 4);
    const qint64 step = Powers[4 - places];
    return fromUnits(divideHalfEven(m_units, step) * step);
}

Decimal operator*(Decimal a, Decimal b)
{
    return Decimal::fromUnits(divideHalfEven(__int128(a.units()) * b.units(), Decimal::Scale));
}

Decimal operator/(Decimal a, Decimal b)
{
    if (b.units() == 0)
        return {};
    return Decimal::fromUnits(divideHalfEven(__int128(a.units()) * Decimal::Scale, b.units()));
}
