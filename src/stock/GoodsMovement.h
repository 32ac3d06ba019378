#pragma once

#include "data/Decimal.h"

#include <QDate>
#include <QVariant>
#include <array>

class Database;

// One goods entry as the clerk made it: the product, the day, the figures of its row of pass_goods
// and the closing stock that becomes the product's stock on hand.
struct GoodsMovement {
    qint64 code = 0;
    QDate day;   // date_d of the row
    QDate stamp; // the entry date that update_date takes
    Decimal stockAtStart; // the product's stock on hand when the entry began
    Decimal opening;      // original_store
    // today_enter, today_exit, retail, loss, sales_milk, other: a number each, or null for an empty box.
    std::array<QVariant, 6> figures;
    Decimal closing;

    // Saves the row under the next serial, stamps update_date with the entry's day and sets the
    // product's stock on hand, all in one transaction. Clerks saving at once take their turns, so each
    // row gets a serial of its own. When another clerk's entry moved the stock since this one began,
    // the opening and closing stock move by as much: the two movements add up. Throws DataError.
    void save(Database& db) const;
};
