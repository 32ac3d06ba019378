#include "stock/GoodsMovement.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "records/MaxPlusOneNumbering.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

void GoodsMovement::save(Database& db) const
{
    Transaction transaction(db);
    db.lock(Database::Lock::GoodsEntries);
    // Holding the product's row keeps a save of the product form from slipping in between the stock
    // read here and the stock written below.
    if (db.exec(u"update products_data set amount = amount where code = ?"_s, {code}).numRowsAffected() != 1)
        throw DataError(DataError::Kind::NoCurrentRow, u"The product %1 is no longer in the books."_s.arg(code));
    const Decimal stockNow = Decimal::fromVariant(db.scalar(u"select amount from products_data where code = ?"_s, {code}));
    const Decimal movedMeanwhile = stockNow - stockAtStart;
    const Decimal openingNow = opening + movedMeanwhile;
    const Decimal closingNow = closing + movedMeanwhile;

    const qint32 serial = MaxPlusOneNumbering(db, u"pass_goods"_s, u"serial"_s).take();
    db.exec(u"insert into pass_goods (serial, code, date_d, original_store, today_enter, today_exit, retail, loss, "
            "sales_milk, other) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
            QVariantList{serial, code, day, openingNow.toDouble()} + QVariantList(figures.begin(), figures.end()));
    if (db.exec(u"update update_date set update_date = ?"_s, {stamp}).numRowsAffected() == 0)
        throw DataError(DataError::Kind::NoCurrentRow, u"The books have no row for the date of the last goods entry (update_date)."_s);
    db.exec(u"update products_data set amount = ? where code = ?"_s, {closingNow.toDouble(), code});
    transaction.commit();
}
