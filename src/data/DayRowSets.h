#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtGlobal>

class Database;

// The day rows of many customers brought up to date by a few statements over the whole set, rather than
// row by row: what a change of a type or of a calendar day touches. The rules are DayRows' own (see
// DayRows.h): the rows are those the orders give; a row no order gives any more goes, or keeps what the
// round recorded with nothing subscribed; money is the price times the bottles charged, never below
// nothing; a day suspended for everybody gets its rows suspended. Runs in the caller's turn.
namespace DayRowSets {

struct Scope {
    QString customers; // a subquery giving the c_code of the customers whose rows follow
    QVariantList customerValues;
    QStringList products; // the products whose rows follow; empty for every product
    QDate first;          // the days, both included, of which only the written ones follow
    QDate last;
    QDate lastComing; // days up to this one are written whether rows stand on them or not
    // The change only adds deliveries (a product added to a delivery type, a day to a calendar): no row
    // of the scope can lose its order, so none is looked for.
    bool onlyGains = false;
};

// The rows written, added or removed.
qint64 bringUpToDate(Database& db, const Scope& scope);

// The orders that deliver, over order_data joined with customer_data: neither they nor their customers
// cancelled, returned or lapsed, and some bottles ordered.
extern const QString deliveringOrder;

// The money of a row of `table` (unqualified where empty) with `subscribed` bottles at `price`: the bottles
// charged, subscribed and added less those taken off, never below nothing.
QString expenseOf(const QString& price, const QString& subscribed, const QString& table = {});

} // namespace DayRowSets
