#include "SameValue.h"
#include "data/RowStore.h"

#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>

namespace {

// Values that differ only in type or in how they are missing, each of which a write binds differently.
const QVector<QVariant> kLookAlikes{
    QVariant(),
    QVariant(QMetaType::fromType<QString>()), // a null as the SQLite driver gives it
    QVariant(QMetaType::fromType<double>()),   // a null as the PostgreSQL driver gives a real column's
    QVariant(QString()),
    QVariant(QStringLiteral("")),
    QVariant(QStringLiteral("0")),
    QVariant(qint64(0)),
    QVariant(0),
    QVariant(0.0),
    QVariant(-0.0),
    QVariant(false),
    QVariant(QDate()),
    QVariant(QDate(2026, 3, 1)),
    QVariant(QStringLiteral("2026-03-01")),
    QVariant(QByteArray("0")),
    QVariant(QDateTime(QDate(2026, 3, 1), QTime(6, 0))),
};

// Every look-alike comes back as it went in, however the column came to keep its values: each value
// once, the numbers alone (a key column), or the values as they are.
TEST(RowStoreTest, EveryValueComesBackAsItWentIn)
{
    struct Case {
        const char* column;
        std::function<QVariant(int row)> before; // the rows loaded ahead of the look-alikes
        int rows;
    };
    const QVector<Case> cases{
        {"repeating", [](int row) { return QVariant(qint64(row % 5)); }, 2000},
        {"key", [](int row) { return QVariant(qint64(row)); }, 2000},
        {"free text", [](int row) { return QVariant(QStringLiteral("t%1").arg(row)); }, 2000},
        {"more than two bytes of codes", [](int row) { return QVariant(double(row / 2)); }, 140000},
    };
    for (const Case& c : cases) {
        RowStore store;
        store.reset(1);
        for (int row = 0; row < c.rows; ++row) {
            store.add(0, c.before(row));
            store.endRow();
        }
        for (int row = 0; row < c.rows; row += 997)
            expectSameValue(store.value(row, 0), c.before(row), std::string(c.column) + " as loaded");
        for (const QVariant& value : kLookAlikes) {
            store.add(0, value);
            const qsizetype row = store.endRow();
            expectSameValue(store.value(row, 0), value, std::string(c.column) + " as added");
        }
        for (int row = 0; row < c.rows; row += 997)
            expectSameValue(store.value(row, 0), c.before(row), std::string(c.column) + " after the look-alikes");
        for (int i = 0; i < kLookAlikes.size(); ++i)
            expectSameValue(store.value(c.rows + i, 0), kLookAlikes[i], std::string(c.column) + " look-alike " + std::to_string(i));
    }
}

// An edit may put any value in any row: the column changes how it keeps its values, no other row does.
TEST(RowStoreTest, EditsOfAnotherTypeLeaveTheOtherRowsAlone)
{
    RowStore store;
    store.reset(2);
    for (int row = 0; row < 1500; ++row) {
        store.add(0, QVariant(qint64(row)));
        store.add(1, QVariant(row % 3));
        store.endRow();
    }
    const qsizetype added = store.addEmptyRow();
    expectSameValue(store.value(added, 0), QVariant(), "empty row");
    for (int i = 0; i < kLookAlikes.size(); ++i) {
        store.setValue(i, 0, kLookAlikes[i]);
        store.setValue(i, 1, kLookAlikes[i]);
    }
    for (int i = 0; i < kLookAlikes.size(); ++i) {
        expectSameValue(store.value(i, 0), kLookAlikes[i], "key column " + std::to_string(i));
        expectSameValue(store.value(i, 1), kLookAlikes[i], "repeating column " + std::to_string(i));
    }
    expectSameValue(store.value(1400, 0), QVariant(qint64(1400)), "key column untouched");
    expectSameValue(store.value(1400, 1), QVariant(1400 % 3), "repeating column untouched");
    EXPECT_EQ(store.rowCount(), 1501);

    // So many keys emptied that the key column keeps its values as they are.
    for (int row = 100; row < 400; ++row)
        store.setValue(row, 0, QVariant());
    for (int i = 0; i < kLookAlikes.size(); ++i)
        expectSameValue(store.value(i, 0), kLookAlikes[i], "key column kept as values " + std::to_string(i));
    expectSameValue(store.value(399, 0), QVariant(), "emptied key");
    expectSameValue(store.value(1400, 0), QVariant(qint64(1400)), "key kept as a value");
}

} // namespace
