#pragma once

#include <QString>
#include <QStringList>
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
// on while the grid is open. Each page goes on from the last row shown in the grid's order, not from a
// count of rows, so a row that another clerk adds or deletes meanwhile moves no other row into a page
// twice or out of every page, and a page far down costs what the first one does. Dates show as
// "yyyy/M/d" and a table's surrogate key stays hidden, as in the other grids. Tab leaves the grid for the
// form's next control; Ctrl+End reads on to the last row and Ctrl+Home goes back to the first.
class FetchingGrid : public QTableView {
    Q_OBJECT
public:
    // What the grid shows: `select` (the columns and tables, no condition) and its `filter` with its
    // values, in the order of `order`. The columns of `order` are among those selected and together
    // tell every row apart (the last one a key). Nulls in them sort first; after a row with a null in
    // them, the next page counts off the rows read, as a plain query would. An index of the table in
    // that order, nulls first, serves every page.
    struct Query {
        QString select;
        QString filter;
        QVariantList values;
        QStringList order;
    };

    // `table` names the table the rows come from, for the types of its columns.
    FetchingGrid(Database& db, const QString& table, QWidget* parent = nullptr);

    // Runs the query and shows its first rows, the first one current. Throws DataError; the rows on
    // show stay then.
    void setQuery(const Query& query);
    // Runs the query again.
    void refresh();

    // A field of the current row, null where there is none.
    QVariant currentValue(const QString& field) const;
    // The rows read so far.
    int rowsRead() const;

signals:
    void currentRowChanged();
    // The books refused a page as the clerk scrolled: no more rows are read until the query runs again.
    // Sent once the scroll is over, so the form's box never opens inside the view's own work.
    void pageRefused(const QString& message, const QString& detail);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    FetchingModel* m_model; // holds the query, which it reads again for each page
};
