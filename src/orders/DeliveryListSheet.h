#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class Database;
class SpreadsheetWriter;

// The blocks of the per-area delivery list on its sheet, area after area: the customer lines to deliver
// on a day (columns A to G), three rows down the area's product totals (D and E), and six rows further
// the customers whose order starts the next day (A to H); twelve blank rows part one area from the next.
class DeliveryListSheet {
public:
    // A list of hand-picked areas follows the route codes; the others follow the delivery addresses.
    enum class Order { ByRouteCode, ByAddress };

    DeliveryListSheet(Database& db, SpreadsheetWriter& sheet, QDate day, Order order);

    // Writes one area's blocks below the previous area's and fits the columns to them. Throws DataError
    // or SheetError.
    void writeArea(const QVariant& area);

    // The statements, each bound with the area and the day (the starters with the next day and the area).
    static QString linesStatement(Order order);
    static QString totalsStatement();
    static QString startersStatement(Order order);

private:
    Database& m_db;
    SpreadsheetWriter& m_sheet;
    QDate m_day;
    Order m_order;
    int m_row = 1; // the running row counter the blocks are placed by
};
