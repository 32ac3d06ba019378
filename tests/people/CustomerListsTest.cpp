#include "FormTest.h"

#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "data/Database.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Customer {
    int code;
    QString name;
    QString addr;
    QString goodsAddr;
    QString goodsAddrCode;
    int milkArea;
};

// The values of one column over the rows a grid shows, in the grid's order.
QStringList column(DataGrid* grid, const QString& field)
{
    QStringList values;
    Recordset& rows = grid->dataSource()->recordset();
    const int at = rows.fieldIndex(field);
    for (int row = 0; row < rows.recordCount(); ++row)
        values << rows.valueAt(row, at).toString();
    return values;
}

} // namespace

class CustomerListsTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (IsSkipped())
            return;
        const QList<Customer> customers = {
            {1, u"Chen Mei"_s, u"12 Harbour Rd"_s, u"O'Neill Lane 3"_s, u"A9"_s, 2},
            {2, u"Abel Wu"_s, u"100% Cotton St"_s, u"Harbour Rd 40"_s, u"C1"_s, 1},
            {3, u"Lin Chen"_s, u"5 Hill_Top"_s, u"HillTop 9"_s, u"B2"_s, 2},
            {4, u"Bao Ling"_s, u"7 Market"_s, QString(), u"A3"_s, 3},
        };
        for (const Customer& c : customers)
            db->exec(u"insert into customer_data (c_code, name, addr, goods_addr, goods_addr_code, milk_area) "
                     "values (?, ?, ?, ?, ?, ?)"_s,
                     {c.code, c.name, c.addr, c.goodsAddr.isNull() ? QVariant(QMetaType::fromType<QString>()) : c.goodsAddr,
                      c.goodsAddrCode, c.milkArea});
        for (int area : {1, 2, 3, 9})
            db->exec(u"insert into milk_area (milk_area) values (?)"_s, {area});
    }

    QWidget* openFullList()
    {
        QWidget* form = open(u"客戶全灠"_s);
        grid = child<DataGrid>(form, u"DataGrid1"_s);
        searchBox = child<QLineEdit>(form, u"text1"_s);
        return form;
    }

    DataGrid* grid = nullptr;
    QLineEdit* searchBox = nullptr;
};

TEST_F(CustomerListsTest, FullListOpensOnEveryCustomerWithTheCountAndTheDeliveryAddressOption)
{
    QWidget* form = openFullList();
    EXPECT_EQ(form->windowTitle(), u"new bottle commission"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(child<QLabel>(form, u"計數"_s)->text(), u"4"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option3"_s)->isChecked());
    EXPECT_TRUE(child<DataCombo>(form, u"DataCombo1"_s)->text().isEmpty());

    // The count is the number read at load; it does not follow the filters.
    QTest::keyClicks(searchBox, u"Harbour"_s);
    EXPECT_EQ(child<QLabel>(form, u"計數"_s)->text(), u"4"_s);
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(CustomerListsTest, SearchRunsOnEveryKeyWithTheOptionSelectedAtThatMoment)
{
    QWidget* form = openFullList();
    child<QRadioButton>(form, u"Option1"_s)->click();
    QTest::keyClicks(searchBox, u"c"_s);
    EXPECT_EQ(column(grid, u"name"_s), (QStringList{u"Chen Mei"_s, u"Lin Chen"_s}));
    QTest::keyClicks(searchBox, u"hen m"_s);
    EXPECT_EQ(column(grid, u"name"_s), QStringList{u"Chen Mei"_s});

    child<QRadioButton>(form, u"Option2"_s)->click();
    searchBox->clear(); // every change searches: an empty text lists every address there is
    EXPECT_EQ(column(grid, u"c_code"_s).size(), 4);
    QTest::keyClicks(searchBox, u"harbour"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"1"_s});

    child<QRadioButton>(form, u"Option3"_s)->click();
    QTest::mouseClick(child<QPushButton>(form, u"搜尋"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"2"_s});

    QTest::mouseClick(child<QPushButton>(form, u"全灠"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s).size(), 4);
    EXPECT_EQ(searchBox->text(), u"harbour"_s);
}

TEST_F(CustomerListsTest, EmptySearchOnDeliveryAddressLeavesOutCustomersWithout)
{
    openFullList();
    QTest::keyClicks(searchBox, u"x"_s);
    QTest::keyClick(searchBox, Qt::Key_Backspace);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
}

TEST_F(CustomerListsTest, QuotesAndWildcardsAreSearchedForAsTheyStand)
{
    QWidget* form = openFullList();
    QTest::keyClicks(searchBox, u"O'Ne"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"1"_s});

    child<QRadioButton>(form, u"Option2"_s)->click();
    searchBox->clear();
    QTest::keyClicks(searchBox, u"%"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"2"_s});
    searchBox->clear();
    QTest::keyClicks(searchBox, u"_"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"3"_s});
    searchBox->clear();
    QTest::keyClicks(searchBox, u"!"_s);
    EXPECT_TRUE(column(grid, u"c_code"_s).isEmpty());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(CustomerListsTest, MilkAreaFilterTakesANumberAndShowsNothingForOtherText)
{
    QWidget* form = openFullList();
    auto* area = child<DataCombo>(form, u"DataCombo1"_s);
    EXPECT_EQ(area->count(), 4);

    area->setCurrentIndex(area->findText(u"2"_s));
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"3"_s}));

    area->setText(u"9"_s);
    EXPECT_TRUE(column(grid, u"c_code"_s).isEmpty());

    area->setText(QString());
    QTest::keyClicks(area, u"ab"_s);
    EXPECT_TRUE(column(grid, u"c_code"_s).isEmpty());
    EXPECT_EQ(messages.count(), 0);

    area->setText(u" 3 "_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"4"_s});
    // Read as the account enquiry reads a code: a fraction past the fourth place is no area 3.
    for (const QString& noArea : {u"3.00004"_s, u"3abc"_s}) {
        area->setText(noArea);
        EXPECT_TRUE(column(grid, u"c_code"_s).isEmpty()) << noArea.toStdString();
    }
}

class CustomerListsOnServerTest : public CustomerListsTest {
protected:
    CustomerListsOnServerTest() { backend = Backend::PostgreSQL; }
};

// A number beyond what the area column holds, or a fraction, names no area; the server never sees it.
TEST_F(CustomerListsOnServerTest, AnAreaTheColumnCannotHoldShowsNothingWithoutAMessage)
{
    QWidget* form = openFullList();
    auto* area = child<DataCombo>(form, u"DataCombo1"_s);
    for (const QString& typed : {u"12345678901234567890"_s, u"2147483648"_s, u"2.5"_s}) {
        area->setText(typed);
        EXPECT_TRUE(column(grid, u"c_code"_s).isEmpty()) << typed.toStdString();
    }
    EXPECT_EQ(messages.count(), 0);
    area->setText(u"2"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"3"_s}));
}

TEST_F(CustomerListsTest, SortsReorderTheLoadedRowsUntilTheNextQuery)
{
    QWidget* form = openFullList();
    QTest::mouseClick(child<QPushButton>(form, u"姓名排序"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"2"_s, u"4"_s, u"1"_s, u"3"_s}));
    QTest::mouseClick(child<QPushButton>(form, u"地址代號"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"4"_s, u"1"_s, u"3"_s, u"2"_s}));
    QTest::mouseClick(child<QPushButton>(form, u"地址排序"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s).first(), u"4"_s); // no delivery address sorts first
    EXPECT_EQ(column(grid, u"c_code"_s).mid(1), (QStringList{u"2"_s, u"3"_s, u"1"_s}));

    // The sort is of the rows loaded: a customer added meanwhile appears only with the next query,
    // which comes in code order again.
    db->exec(u"insert into customer_data (c_code, name) values (5, 'Aaron')"_s);
    QTest::mouseClick(child<QPushButton>(form, u"編號排序"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    QTest::mouseClick(child<QPushButton>(form, u"姓名排序"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(form, u"全灠"_s), Qt::LeftButton);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
}

TEST_F(CustomerListsTest, UnlockBoxGovernsOnlyTheChangeOfExistingRows)
{
    QWidget* form = openFullList();
    auto* unlock = child<QCheckBox>(form, u"Check1"_s);
    EXPECT_FALSE(unlock->isChecked());
    EXPECT_FALSE(grid->allowUpdate());

    QTest::mouseClick(unlock, Qt::LeftButton);
    EXPECT_TRUE(grid->allowUpdate());
    EXPECT_FALSE(grid->allowAddNew());
    EXPECT_FALSE(grid->allowDelete());

    QTest::mouseClick(unlock, Qt::LeftButton);
    EXPECT_FALSE(grid->allowUpdate());
}

TEST_F(CustomerListsTest, BriefListFindsACodeAndSaysSoOnAMiss)
{
    QWidget* form = open(u"客戶一灠"_s);
    EXPECT_EQ(form->windowTitle(), u"customer"_s);
    auto* briefGrid = child<DataGrid>(form, u"DataGrid1"_s);
    Recordset& rows = briefGrid->dataSource()->recordset();
    EXPECT_EQ(rows.fieldNames(), (QStringList{u"c_code"_s, u"name"_s, u"expense_area"_s, u"milk_area"_s,
                                              u"tel"_s, u"goods_addr"_s}));
    auto* code = child<QLineEdit>(form, u"text1"_s);

    QTest::keyClicks(code, u"3rd"_s);
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(rows.value(u"name"_s).toString(), u"Lin Chen"_s);
    EXPECT_EQ(code->text(), u"3rd"_s);
    EXPECT_EQ(messages.count(), 0);

    code->setText(u"77"_s);
    QTest::mouseClick(child<QPushButton>(form, u"訂戶代號搜尋"_s), Qt::LeftButton);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"no search'77'data!!"_s);
    EXPECT_EQ(messages.last().flags, 0);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(rows.value(u"c_code"_s).toInt(), 3);

    code->setText(u"abc"_s);
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(messages.last().text, u"no search'0'data!!"_s);
    EXPECT_EQ(rows.value(u"c_code"_s).toInt(), 3);

    code->setText(u"1.00004"_s); // a fraction past the fourth place is no code 1
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(messages.last().text, u"no search'1.00004'data!!"_s);
    EXPECT_EQ(rows.value(u"c_code"_s).toInt(), 3);
}

TEST_F(CustomerListsTest, MilkAreaPickListsTheAreasAndOnlyCloses)
{
    QWidget* dialog = open(u"載入客戶資料"_s);
    EXPECT_EQ(dialog->windowTitle(), u"customer data"_s);
    auto* areas = child<DataCombo>(dialog, u"DataCombo1"_s);
    ASSERT_EQ(areas->count(), 4);
    EXPECT_EQ(areas->itemText(3), u"9"_s);
    QTest::mouseClick(child<QPushButton>(dialog, u"OKButton"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app->forms.instance(u"載入客戶資料"_s), nullptr);
}

// The statements of the list run on the server database as on the embedded one.
class CustomerListOnEachDatabase : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    CustomerListOnEachDatabase() { backend = GetParam(); }
};

TEST_P(CustomerListOnEachDatabase, SearchAndAreaFilterTakeTheTextAsAValue)
{
    db->exec(u"insert into customer_data (c_code, name, goods_addr, milk_area) values "
             "(1, 'O''Hara', 'Lane 5%', 2), (2, 'Ohm', 'Lane 55', 2), (3, 'Lin', NULL, 4)"_s);
    QWidget* form = OpenFormCommand(*app)(u"客戶全灠"_s);
    ASSERT_NE(form, nullptr);
    auto* grid = form->findChild<DataGrid*>(u"DataGrid1"_s);
    auto* box = form->findChild<QLineEdit*>(u"text1"_s);
    EXPECT_EQ(form->findChild<QLabel*>(u"計數"_s)->text(), u"3"_s);

    QTest::keyClicks(box, u"5%"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"1"_s});
    form->findChild<QRadioButton*>(u"Option1"_s)->click();
    box->setText(u"o'h"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), QStringList{u"1"_s});

    auto* area = form->findChild<DataCombo*>(u"DataCombo1"_s);
    area->setText(u"2"_s);
    EXPECT_EQ(column(grid, u"c_code"_s), (QStringList{u"1"_s, u"2"_s}));
    area->setText(u"two"_s);
    EXPECT_TRUE(column(grid, u"c_code"_s).isEmpty());
    EXPECT_EQ(messages.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, CustomerListOnEachDatabase,
                         ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
