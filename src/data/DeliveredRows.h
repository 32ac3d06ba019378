#pragma once

#include <QString>

// How the reports count the delivery-day rows (order_date), written once so that every listing, sum and
// bill counts a row alike.
namespace DeliveredRows {

// A row whose delivery went out: neither refunded nor suspended. `table` qualifies the two flags in a
// query over several tables.
inline QString condition(const QString& table = {})
{
    const QString prefix = table.isEmpty() ? QString() : table + u'.';
    return QStringLiteral("%1refund = 0 and %1suspend = 0").arg(prefix);
}

// One row's bottles or money as they count: never below 0. The row keeps what the round took off, so
// the taking off holds again should the order rise; beyond what the order now gives it leaves nothing
// to deliver or bill, never a credit. A missing figure stays missing.
inline QString notBelowZero(const QString& figure)
{
    return QStringLiteral("(case when (%1) < 0 then 0 else (%1) end)").arg(figure);
}

// The bottles a row ships: subscribed, given and added, less those taken off; never below 0. `table`
// qualifies the columns as in condition().
inline QString shippedBottles(const QString& table = {})
{
    const QString prefix = table.isEmpty() ? QString() : table + u'.';
    return notBelowZero(QStringLiteral("%1subscribe_num + %1give_num + %1add_num - %1subtract_num").arg(prefix));
}

// The bottles taken off a row as they count: what the round took off, up to the `held` bottles it took
// them from. Beyond those it takes nothing more, so the row is left at 0, as notBelowZero() leaves it.
// `table` qualifies subtract_num as in condition().
inline QString takenOff(const QString& held, const QString& table = {})
{
    const QString prefix = table.isEmpty() ? QString() : table + u'.';
    return QStringLiteral("((%1) - %2)").arg(held, notBelowZero(QStringLiteral("(%1) - %2subtract_num").arg(held, prefix)));
}

} // namespace DeliveredRows
