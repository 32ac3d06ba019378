#include "accounts/DailyReport.h"

#include "data/Database.h"
#include "data/Decimal.h"
#include "data/DeliveredRows.h"
#include "sheets/SpreadsheetWriter.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

constexpr int firstRow = 4;

// The bottles a row takes off from: its added ones and, unless the row is refunded or suspended, its
// subscribed ones, which the refunded and suspended sums take off themselves.
const QString heldBottles = u"add_num + case when "_s + DeliveredRows::condition() + u" then subscribe_num else 0 end"_s;

// The day's five sums of every area, product and bottle type in one pass. Rows whose customer is
// gone do not count; a refund or suspend sum over rows of which none is flagged stays null. Each row
// nets what it delivers, never below 0: bottles taken off count up to those it holds, and a row both
// refunded and suspended is cancelled once, with the refunded ones.
const QString sumsStatement =
    u"select order_date.milk_area, names, bottle_type, sum(subscribe_num), sum(add_num), sum("_s
    + DeliveredRows::takenOff(heldBottles)
    + u"), sum(case when refund = 1 then subscribe_num end), sum(case when suspend = 1 and refund = 0 then subscribe_num end)"
      " from order_date, customer_data"
      " where order_date.c_code = customer_data.c_code and order_date.date_d = ?"_s;
const QString sumsGrouping = u" group by order_date.milk_area, names, bottle_type"_s;

QStringList column(Database& db, const QString& statement)
{
    QStringList values;
    QSqlQuery query = db.exec(statement);
    while (db.nextRow(query))
        values << query.value(0).toString();
    return values;
}

} // namespace

DailyReport::DailyReport(Database& db, const QDate& day, std::optional<int> area)
{
    QSqlQuery areas = area ? db.exec(u"select milk_area from milk_area where milk_area = ?"_s, {*area})
                           : db.exec(u"select milk_area from milk_area order by milk_area"_s);
    while (db.nextRow(areas))
        m_areas << areas.value(0).toInt();

    QSqlQuery employees = db.exec(u"select milk_area, name from employees_data"
                                  " where milk_area is not null order by e_code"_s);
    while (db.nextRow(employees)) {
        const int employeeArea = employees.value(0).toInt();
        if (!m_deliveryEmployee.contains(employeeArea)) // the first by code serves the area
            m_deliveryEmployee.insert(employeeArea, employees.value(1).toString());
    }

    m_products = column(db, u"select names from products_data order by code"_s);
    m_bottleTypes = column(db, u"select bottle_type from bottle_type order by bottle_type"_s);

    QVariantList values{day};
    QString statement = sumsStatement;
    if (area) {
        statement += u" and order_date.milk_area = ?"_s;
        values << *area;
    }
    QSqlQuery sums = db.exec(statement + sumsGrouping, values);
    while (db.nextRow(sums)) {
        Sums& counted = m_sums[{sums.value(0).toInt(), sums.value(1).toString(), sums.value(2).toString()}];
        for (int i = 0; i < int(counted.size()); ++i)
            counted[i] = sums.value(3 + i);
    }
}

void DailyReport::write(SpreadsheetWriter& sheet) const
{
    int row = firstRow;
    for (int area : m_areas) {
        sheet.setCell(row, 1, area);
        if (const auto employee = m_deliveryEmployee.constFind(area); employee != m_deliveryEmployee.cend())
            sheet.setCell(row, 2, *employee);
        for (const QString& product : m_products) {
            sheet.setCell(row, 3, product);
            for (const QString& bottleType : m_bottleTypes) {
                sheet.setCell(row, 4, bottleType);
                const auto counted = m_sums.find({area, product, bottleType});
                std::array<Decimal, 5> figures;
                if (counted != m_sums.end()) {
                    for (int i = 0; i < int(figures.size()); ++i) {
                        const QVariant& sum = counted->second[i];
                        if (sum.isNull())
                            continue;
                        figures[i] = Decimal::fromVariant(sum);
                        sheet.setCell(row, 5 + i, figures[i].toDouble());
                    }
                }
                const Decimal net = figures[0] + figures[1] - figures[2] - figures[3] - figures[4];
                sheet.setCell(row, 10, net.toDouble());
                ++row;
            }
        }
    }
}
