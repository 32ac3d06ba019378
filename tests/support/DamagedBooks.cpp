#include "DamagedBooks.h"

#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

void damageMiddlePageOf(std::unique_ptr<Database>& db, const QString& table)
{
    ASSERT_EQ(db->kind(), Database::Kind::SQLite);
    const QString path = db->location();
    const qint64 pageSize = db->scalar(QStringLiteral("PRAGMA page_size")).toLongLong();
    QList<qint64> leaves; // in the order a scan of the table reads them
    QSqlQuery pages = db->exec(QStringLiteral("SELECT pageno FROM dbstat WHERE name = ? AND pagetype = 'leaf' ORDER BY path"),
                               {table});
    while (db->nextRow(pages))
        leaves << pages.value(0).toLongLong();
    pages = QSqlQuery();
    ASSERT_GE(leaves.size(), 3) << table.toStdString() << " holds too few rows to be damaged in the middle";
    db.reset(); // the last connection going writes the log back into the file

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek((leaves.at(leaves.size() / 2) - 1) * pageSize));
    ASSERT_EQ(file.write(QByteArray(pageSize, char(0xff))), pageSize);
    file.close();
    db = Database::open(path);
}
