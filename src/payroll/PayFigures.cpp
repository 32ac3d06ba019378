#include "payroll/PayFigures.h"

using namespace Qt::StringLiterals;

namespace PayFigures {

TextRules::NumberRule rule()
{
    return TextRules::NumberRule::figure((-Limit).toDouble(), Limit.toDouble());
}

namespace {

[[noreturn]] void refuse(const QString& shown)
{
    throw DataError(DataError::Kind::Conversion, DataError::Reason::OutOfRange,
                    QStringLiteral("%1 is beyond the range of pay: %2").arg(shown, rule().refusal(u"a pay figure"_s)));
}

Decimal withinPay(std::optional<Decimal> value, const QString& shown)
{
    if (!value || *value > Limit || *value < -Limit)
        refuse(shown);
    return *value;
}

} // namespace

Decimal read(QStringView text)
{
    return withinPay(Decimal::tryFromText(text), text.trimmed().toString());
}

Decimal stored(const QVariant& value)
{
    if (value.isNull())
        return {};
    try {
        return withinPay(Decimal::fromVariant(value), value.toString());
    } catch (const DataError&) {
        refuse(value.toString());
    }
}

Decimal multiply(Decimal a, Decimal b)
{
    return withinPay(Decimal::checkedMultiply(a, b), u"%1 * %2"_s.arg(a.toString(), b.toString()));
}

Decimal add(Decimal a, Decimal b)
{
    return withinPay(Decimal::checkedAdd(a, b), u"%1 + %2"_s.arg(a.toString(), b.toString()));
}

Decimal subtract(Decimal a, Decimal b)
{
    return withinPay(Decimal::checkedSubtract(a, b), u"%1 - %2"_s.arg(a.toString(), b.toString()));
}

qint64 whole(Decimal value)
{
    return value.roundedToWhole();
}

Decimal netPay(QStringView salary, const QStringList& additions, const QStringList& deductions)
{
    Decimal total = read(salary);
    for (const QString& addition : additions)
        total = add(total, read(addition));
    for (const QString& deduction : deductions)
        total = subtract(total, read(deduction));
    return total;
}

Decimal settledNetPay(const QList<Decimal>& additions, const QList<Decimal>& deductions)
{
    Decimal added;
    for (Decimal addition : additions)
        added = add(added, addition);
    Decimal deducted;
    for (Decimal deduction : deductions)
        deducted = Decimal::fromWhole(whole(add(deducted, deduction)));
    return subtract(added, deducted);
}

DataError namingEmployee(const DataError& error, qint64 code, const QString& item)
{
    return DataError(error.kind(), error.reason(), u"Employee %1, %2: %3"_s.arg(code).arg(item, error.message()),
                     error.detailBesidesMessage());
}

} // namespace PayFigures

qint64 LeaveDeduction::hourlyRate(QStringView salary)
{
    // Whole-number division drops the remainder towards zero.
    return PayFigures::whole(PayFigures::read(salary)) / 30 / 8;
}

qint64 LeaveDeduction::price(int box, QStringView hours, QStringView salary)
{
    const Decimal rate = Decimal::fromWhole(hourlyRate(salary));
    Decimal personal = m_personal;
    qint64 sick = m_sick;
    if (box == PersonalLeave)
        personal = PayFigures::multiply(rate, PayFigures::read(hours));
    else if (box == SickLeave)
        sick = PayFigures::whole(PayFigures::multiply(rate, PayFigures::read(hours)));
    const qint64 total = PayFigures::whole(PayFigures::add(personal, Decimal::fromWhole(sick)));
    m_personal = personal;
    m_sick = sick;
    return total;
}

void LeaveDeduction::reset()
{
    m_personal = {};
    m_sick = 0;
}
