#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <map>
#include <optional>
#include <tuple>

class Database;
class SpreadsheetWriter;

// The bottle counts of one delivery day by milk area, product and bottle type, as the daily report's
// sheet lays them out: a block per area, within it a block per product, within that a row per bottle
// type, with the day's subscribed, added, subtracted, refunded and suspended bottles and the net. Each
// row counts what it delivers, never below nothing (DeliveredRows).
class DailyReport {
public:
    // Reads the day's counts of one area, or of every area by number when `area` is empty.
    // Throws DataError where the database refuses a query.
    DailyReport(Database& db, const QDate& day, std::optional<int> area);

    // Nothing to lay out: no such area, no product or no bottle type.
    bool isEmpty() const { return m_areas.isEmpty() || m_products.isEmpty() || m_bottleTypes.isEmpty(); }

    // Writes the blocks from row 4 down. Throws SheetError past the sheet's last row.
    void write(SpreadsheetWriter& sheet) const;

private:
    // subscribed, added, subtracted, refunded, suspended; null where no row counted
    using Sums = std::array<QVariant, 5>;
    using Key = std::tuple<int, QString, QString>; // area, product, bottle type

    QList<int> m_areas;
    QHash<int, QString> m_deliveryEmployee; // the first employee by code of each area
    QStringList m_products;
    QStringList m_bottleTypes;
    std::map<Key, Sums> m_sums;
};
