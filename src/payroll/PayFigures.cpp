#include "payroll/PayFigures.h"

#include "data/DataError.h"
#include "data/TextRules.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace PayFigures {

TextRules::NumberRule rule()
{
    return TextRules::NumberRule::figure(-Limit, Limit);
}

namespace {

void checkRange(double approximate, const QString& shown)
{
    if (!std::isfinite(approximate) || std::fabs(approximate) > Limit)
        throw DataError(DataError::Kind::Conversion, DataError::Reason::OutOfRange,
                        QStringLiteral("%1 is beyond the range of pay: %2").arg(shown, rule().refusal(u"a pay figure"_s)));
}

void checkRange(double approximate)
{
    checkRange(approximate, TextRules::numberText(approximate));
}

} // namespace

Decimal read(QStringView text)
{
    checkRange(TextRules::numberFromText(text), text.trimmed().toString());
    return Decimal::fromText(text);
}

Decimal stored(const QVariant& value)
{
    if (value.isNull())
        return {};
    checkRange(value.toDouble());
    return Decimal::fromVariant(value);
}

Decimal multiply(Decimal a, Decimal b)
{
    checkRange(a.toDouble() * b.toDouble());
    return a * b;
}

Decimal add(Decimal a, Decimal b)
{
    // Both within the range, so the exact sum is too far from the edge of 64 bits to wrap.
    const Decimal sum = a + b;
    checkRange(sum.toDouble(), sum.toString());
    return sum;
}

qint32 whole(Decimal value)
{
    const qint64 rounded = value.roundedToWhole();
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        throw DataError(DataError::Kind::Conversion, DataError::Reason::OutOfRange,
                        QStringLiteral("%1 is beyond the whole numbers from %2 to %3.")
                            .arg(value.toString())
                            .arg(std::numeric_limits<qint32>::min())
                            .arg(std::numeric_limits<qint32>::max()));
    return qint32(rounded);
}

Decimal netPay(QStringView salary, const QStringList& additions, const QStringList& deductions)
{
    Decimal total = read(salary);
    for (const QString& addition : additions)
        total += read(addition);
    for (const QString& deduction : deductions)
        total -= read(deduction);
    return total;
}

Decimal settledNetPay(const QList<Decimal>& additions, const QList<Decimal>& deductions)
{
    Decimal added;
    for (Decimal addition : additions)
        added += addition;
    qint32 deducted = 0;
    for (Decimal deduction : deductions)
        deducted = whole(Decimal(deducted) + deduction);
    return added - Decimal(deducted);
}

} // namespace PayFigures

qint32 LeaveDeduction::hourlyRate(QStringView salary)
{
    return TextRules::intDiv(TextRules::intDiv(PayFigures::whole(PayFigures::read(salary)), 30), 8);
}

qint32 LeaveDeduction::price(int box, QStringView hours, QStringView salary)
{
    const Decimal rate(hourlyRate(salary));
    Decimal personal = m_personal;
    qint32 sick = m_sick;
    if (box == PersonalLeave)
        personal = PayFigures::multiply(rate, PayFigures::read(hours));
    else if (box == SickLeave)
        sick = PayFigures::whole(PayFigures::multiply(rate, PayFigures::read(hours)));
    const qint32 total = PayFigures::whole(personal + Decimal(sick));
    m_personal = personal;
    m_sick = sick;
    return total;
}

void LeaveDeduction::reset()
{
    m_personal = {};
    m_sick = 0;
}
