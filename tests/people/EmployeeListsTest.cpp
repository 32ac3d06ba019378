#include "FormTest.h"

#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "data/Database.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class EmployeeListsTest : public FormTest {
protected:
    void addEmployee(int code, const QString& name, const QString& job, const QString& addr, int cancelled = 0)
    {
        db->exec(u"insert into employees_data (e_code, name, job_leave, addr, tel, cancel) values (?, ?, ?, ?, ?, ?)"_s,
                 {code, name, job, addr, u"0%1"_s.arg(code), cancelled});
    }

    // The codes of the employees in the grid, in its order.
    static QList<int> codes(DataGrid* grid)
    {
        QList<int> shown;
        Recordset& rows = grid->dataSource()->recordset();
        for (int row = 0; row < rows.recordCount(); ++row)
            shown << rows.valueAt(row, rows.fieldIndex(u"e_code"_s)).toInt();
        return shown;
    }

    void click(QWidget* form, const QString& button)
    {
        QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
    }
};

TEST_F(EmployeeListsTest, SortButtonsReorderTheLoadedRowsByOneColumnEach)
{
    addEmployee(3, u"Chou"_s, u"driver"_s, u"B Street"_s);
    addEmployee(1, u"Wang"_s, u"clerk"_s, u"C Street"_s, 1);
    addEmployee(2, u"Alder"_s, u"manager"_s, u"A Street"_s);

    QWidget* form = open(u"員工全灠"_s);
    EXPECT_EQ(form->windowTitle(), u"employees basic data view"_s);
    auto* grid = child<DataGrid>(form, u"DataGrid1"_s);
    EXPECT_EQ(codes(grid), (QList<int>{1, 2, 3})); // the cancelled employee too
    EXPECT_FALSE(grid->allowUpdate() || grid->allowAddNew() || grid->allowDelete());

    click(form, u"姓名排序"_s);
    EXPECT_EQ(codes(grid), (QList<int>{2, 3, 1}));
    click(form, u"姓名排序"_s);
    EXPECT_EQ(codes(grid), (QList<int>{2, 3, 1}));
    click(form, u"職別排序"_s);
    EXPECT_EQ(codes(grid), (QList<int>{1, 3, 2}));
    click(form, u"地址排序"_s);
    EXPECT_EQ(codes(grid), (QList<int>{2, 3, 1}));

    // Rows written meanwhile wait for the next open.
    addEmployee(0, u"Zed"_s, u"driver"_s, u"Z Street"_s);
    click(form, u"編號排序"_s);
    EXPECT_EQ(codes(grid), (QList<int>{1, 2, 3}));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(EmployeeListsTest, EmptyTableSortsWithoutComplaint)
{
    QWidget* form = open(u"員工全灠"_s);
    auto* grid = child<DataGrid>(form, u"DataGrid1"_s);
    for (const QString& button : {u"編號排序"_s, u"姓名排序"_s, u"職別排序"_s, u"地址排序"_s})
        click(form, button);
    EXPECT_TRUE(codes(grid).isEmpty());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(EmployeeListsTest, SecondGridShowsCodeNameAndTelephone)
{
    addEmployee(7, u"Chou"_s, u"driver"_s, u"B Street"_s);
    QWidget* form = open(u"顯示員工基本資料"_s);
    EXPECT_EQ(form->windowTitle(), u"employees data"_s);
    Recordset& rows = child<DataGrid>(form, u"DataGrid1"_s)->dataSource()->recordset();
    EXPECT_EQ(rows.fieldNames(), (QStringList{u"e_code"_s, u"name"_s, u"tel"_s}));
    EXPECT_EQ(rows.value(u"tel"_s).toString(), u"07"_s);
}
