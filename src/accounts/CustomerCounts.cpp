#include "accounts/CustomerCounts.h"

#include "data/DataSource.h"

#include <QDate>

using namespace Qt::StringLiterals;

std::array<int, 12> customersEnteredPerMonth(DataSource& source, int year, const std::optional<QString>& salesperson)
{
    // Up to the last day, not before the next year's first: the year after 9999 is no date the books know.
    QString sql = u"select input_date from customer_data where input_date >= ? and input_date <= ?"_s;
    QVariantList values = {QDate(year, 1, 1), QDate(year, 12, 31)};
    if (salesperson) {
        sql += u" and enter_worker = ?"_s;
        values << *salesperson;
    }
    AdodcQuery(source, sql, values);

    std::array<int, 12> counts{};
    const Recordset& rows = source.recordset();
    for (int row = 0; row < rows.recordCount(); ++row) {
        const QDate entered = rows.valueAt(row, 0).toDate();
        if (entered.isValid())
            ++counts[entered.month() - 1];
    }
    return counts;
}
