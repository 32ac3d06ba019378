#include "data/Decimal.h"

#include "data/DataError.h"
#include "data/TextRules.h"

#include <cmath>

namespace {

constexpr qint64 Powers[] = {1, 10, 100, 1000, 10000};
constexpr __int128 MaxUnits = std::numeric_limits<qint64>::max();

std::optional<Decimal> inRange(__int128 units)
{
    if (units > MaxUnits || units < -MaxUnits)
        return std::nullopt;
    return Decimal::fromUnits(qint64(units));
}

// numerator / denominator to the nearest whole number, a half going to the even neighbour.
__int128 divideHalfEven(__int128 numerator, __int128 denominator)
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
    return quotient;
}

[[noreturn]] void refuseBeyondRange(const QString& what)
{
    throw DataError(DataError::Kind::Conversion, DataError::Reason::OutOfRange,
                    QStringLiteral("%1 is beyond the figures the books can hold").arg(what),
                    QStringLiteral("A figure must lie %1.").arg(Decimal::rangeText()));
}

Decimal orRefuse(std::optional<Decimal> value, const QString& what)
{
    if (!value)
        refuseBeyondRange(what);
    return *value;
}

} // namespace

QString Decimal::rangeText()
{
    return QStringLiteral("from %1 to %2").arg(-WholeLimit).arg(WholeLimit);
}

std::optional<Decimal> Decimal::tryFromDouble(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return std::nullopt;
    // The double nearest to 0.15 is a hair below it: reading its fifteen significant digits, as the
    // clerk typed them, keeps the half where it was meant. Tiny values go by plain rounding.
    const QString digits = QString::number(value, 'g', 15);
    if (!digits.contains(u'e'))
        return tryFromText(digits);
    return inRange(__int128(std::nearbyint(value * Scale)));
}

std::optional<Decimal> Decimal::tryFromWhole(qint64 whole)
{
    return inRange(__int128(whole) * Scale);
}

Decimal Decimal::fromWhole(qint64 whole)
{
    return orRefuse(tryFromWhole(whole), QString::number(whole));
}

Decimal Decimal::fromDouble(double value)
{
    return orRefuse(tryFromDouble(value), TextRules::numberText(value));
}

std::optional<Decimal> Decimal::tryFromText(QStringView text, bool* rounded)
{
    if (rounded)
        *rounded = false;
    // Parse the leading number exactly, without passing through a double.
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    __int128 digits = 0;
    int fractionDigits = 0;
    bool seenDigit = false, inFraction = false, tooLong = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            seenDigit = true;
            if (digits < __int128(1) << 100) {
                digits = digits * 10 + (c.unicode() - '0');
                if (inFraction)
                    ++fractionDigits;
            } else if (!inFraction) {
                tooLong = true; // more whole digits than any figure has
            }
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return Decimal();
    // An exponent moves the point: "1.5e3" is 1500, "1e400" beyond every figure.
    int exponent = 0;
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        const bool negativeExponent = text[j] == u'-';
        if (text[j] == u'+' || text[j] == u'-')
            ++j;
        for (; j < text.size() && text[j] >= u'0' && text[j] <= u'9'; ++j)
            exponent = qMin(exponent * 10 + (text[j].unicode() - '0'), 10000);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (tooLong || (digits != 0 && exponent > 40))
        return std::nullopt;
    __int128 denominator = 1;
    int shift = 4 - fractionDigits + qMax(exponent, -60);
    for (; shift > 0 && digits <= MaxUnits; --shift)
        digits *= 10;
    if (shift > 0)
        return std::nullopt;
    // Beyond 38 places every digit is gone: the figure is 0.
    if (shift < -38) {
        if (rounded)
            *rounded = digits != 0;
        return Decimal();
    }
    for (; shift < 0; ++shift)
        denominator *= 10;
    if (rounded)
        *rounded = digits % denominator != 0;
    const __int128 units = divideHalfEven(digits, denominator);
    return inRange(negative ? -units : units);
}

Decimal Decimal::fromText(QStringView text)
{
    return orRefuse(tryFromText(text), text.trimmed().toString());
}

Decimal Decimal::fromVariant(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt:
        return orRefuse(inRange(__int128(value.toLongLong()) * Scale), value.toString());
    case QMetaType::ULongLong:
        return orRefuse(inRange(__int128(value.toULongLong()) * Scale), value.toString());
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
    return orRefuse(inRange(divideHalfEven(m_units, step) * step), toString());
}

std::optional<Decimal> Decimal::checkedAdd(Decimal a, Decimal b)
{
    return inRange(__int128(a.m_units) + b.m_units);
}

std::optional<Decimal> Decimal::checkedSubtract(Decimal a, Decimal b)
{
    return inRange(__int128(a.m_units) - b.m_units);
}

std::optional<Decimal> Decimal::checkedMultiply(Decimal a, Decimal b)
{
    return inRange(divideHalfEven(__int128(a.m_units) * b.m_units, Scale));
}

std::optional<Decimal> Decimal::checkedDivide(Decimal a, Decimal b)
{
    if (b.m_units == 0)
        return Decimal();
    return inRange(divideHalfEven(__int128(a.m_units) * Scale, b.m_units));
}

Decimal operator+(Decimal a, Decimal b)
{
    return orRefuse(Decimal::checkedAdd(a, b), QStringLiteral("%1 + %2").arg(a.toString(), b.toString()));
}

Decimal operator-(Decimal a, Decimal b)
{
    return orRefuse(Decimal::checkedSubtract(a, b), QStringLiteral("%1 - %2").arg(a.toString(), b.toString()));
}

Decimal operator*(Decimal a, Decimal b)
{
    return orRefuse(Decimal::checkedMultiply(a, b), QStringLiteral("%1 * %2").arg(a.toString(), b.toString()));
}

Decimal operator/(Decimal a, Decimal b)
{
    return orRefuse(Decimal::checkedDivide(a, b), QStringLiteral("%1 / %2").arg(a.toString(), b.toString()));
}
