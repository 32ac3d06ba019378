#include "TestDatabase.h"
#include "widgets/DataCombo.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/Recordset.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

class DataComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = openTestDatabase(Backend::SQLite);
        for (const QString& reason : {u"moved"_s, u"price"_s, u"taste"_s})
            db->exec(u"INSERT INTO return_reason (return_reason) VALUES (?)"_s, {reason});
        db->exec(u"INSERT INTO customer_data (name, milk_area) VALUES ('Lin', 3), ('Wang', 5)"_s);

        reasons = std::make_unique<DataSource>(*db);
        reasons->setTable(u"return_reason"_s);
        reasons->refresh();
        customers = std::make_unique<DataSource>(*db);
        customers->setQuery(u"SELECT c_code, name, milk_area FROM customer_data ORDER BY c_code"_s);
        customers->refresh();
        combo.show();
    }

    QStringList items() const
    {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts << combo.itemText(i);
        return texts;
    }

    QVariant stored(const QString& column, const QString& name)
    {
        return db->scalar(u"SELECT %1 FROM customer_data WHERE name = ?"_s.arg(column), {name});
    }

    std::unique_ptr<Database> db;
    std::unique_ptr<DataSource> reasons;
    std::unique_ptr<DataSource> customers;
    DataCombo combo;
};

TEST_F(DataComboTest, ListsTheRowSourceAndFollowsItsRefreshes)
{
    combo.setDataSource(&customers->recordset(), u"name"_s);
    combo.setRowSource(reasons.get(), u"return_reason"_s);
    EXPECT_EQ(items(), (QStringList{u"moved"_s, u"price"_s, u"taste"_s}));
    EXPECT_EQ(combo.text(), u"Lin"_s);

    db->exec(u"INSERT INTO return_reason (return_reason) VALUES ('holiday')"_s);
    reasons->refresh();
    EXPECT_EQ(items().size(), 4);
    EXPECT_EQ(combo.text(), u"Lin"_s) << "new items leave the shown text alone";
}

TEST_F(DataComboTest, ShowsTheBoundColumnOfTheCurrentRow)
{
    combo.setDataSource(&customers->recordset(), u"milk_area"_s);
    EXPECT_EQ(combo.text(), u"3"_s);
    customers->recordset().moveNext();
    EXPECT_EQ(combo.text(), u"5"_s);
    AdodcQuery(*customers, u"SELECT c_code, name, milk_area FROM customer_data WHERE milk_area = ?"_s, {9});
    EXPECT_TRUE(combo.text().isEmpty());
}

TEST_F(DataComboTest, WritesAChangedTextWhenTheRowIsUpdated)
{
    Recordset& rs = customers->recordset();
    combo.setDataSource(&rs, u"milk_area"_s);

    rs.update();
    EXPECT_EQ(rs.editMode(), Recordset::EditMode::None) << "an unchanged text starts no edit";

    combo.lineEdit()->selectAll();
    QTest::keyClicks(&combo, u"12"_s);
    rs.update();
    EXPECT_EQ(stored(u"milk_area"_s, u"Lin"_s).toInt(), 12);

    rs.moveNext();
    combo.lineEdit()->selectAll();
    QTest::keyClicks(&combo, u"north"_s);
    EXPECT_THROW(rs.update(), DataError);
    EXPECT_EQ(stored(u"milk_area"_s, u"Wang"_s).toInt(), 5) << "a text that is not a number writes nothing";
}

TEST_F(DataComboTest, LockedComboTakesNoInputButReportsLeftPresses)
{
    combo.setRowSource(reasons.get(), u"return_reason"_s);
    combo.setDataSource(&customers->recordset(), u"name"_s);
    combo.setLocked(true);
    QSignalSpy presses(&combo, &DataCombo::leftButtonPressed);

    QTest::keyClicks(&combo, u"xyz"_s);
    QTest::keyClick(&combo, Qt::Key_Down);
    combo.showPopup();
    EXPECT_EQ(combo.text(), u"Lin"_s);
    EXPECT_FALSE(combo.view()->isVisible());

    QTest::mouseClick(&combo, Qt::RightButton);
    EXPECT_EQ(presses.count(), 0);
    QTest::mouseClick(combo.lineEdit(), Qt::LeftButton);
    QTest::mouseClick(&combo, Qt::LeftButton, {}, QPoint(combo.width() - 4, combo.height() / 2));
    ASSERT_EQ(presses.count(), 2);
    EXPECT_EQ(presses.at(0).at(0).toString(), u"Lin"_s);
    EXPECT_FALSE(combo.view()->isVisible());

    combo.setLocked(false);
    combo.lineEdit()->selectAll();
    QTest::keyClicks(&combo, u"Chen"_s);
    EXPECT_EQ(combo.text(), u"Chen"_s);
}

} // namespace
