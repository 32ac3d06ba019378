#pragma once

#include <QString>
#include <QTableView>
#include <QVariantList>

class Database;
class FetchingModel;
namespace Schema {
struct Table;
}

// A read-only grid over a query of very many rows: it reads them from the database a page at a time
// as they are scrolled to, so a table of millions of rows opens at once and the program holds only the
// rows seen. No read stays open between pages, so other programs' writes and this program's saves go
// on while the grid is open. The query is one that a "limit ? offset ?" can follow (it ends with its
// order, which makes the pages follow each other). Dates show as "yyyy/M/d" and a table's surrogate key
// stays hidden, as in the other grids.
class FetchingGrid : public QTableView {
    Q_OBJECT
public:
    // `table` names the table the rows come from, for the types of its columns.
    FetchingGrid(Database& db, const QString& table, QWidget* parent = nullptr);

    // Runs the query and shows its first rows, the first one current. Throws DataError; the rows on
    // show stay then.
    void setQuery(const QString& sql, const QVariantList& values = {});
    // Runs the query again.
    void refresh();

    // A field of the current row, null where there is none.
    QVariant currentValue(const QString& field) const;
    // The rows read so far.
    int rowsRead() const;

signals:
    void currentRowChanged();

private:
    FetchingModel* m_model; // holds the query, which it reads again for each page
};
