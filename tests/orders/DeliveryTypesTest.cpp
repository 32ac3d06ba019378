#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// Types "A" and "B" with no rows yet; products milk, tea and juice.
class DeliveryTypesTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    DeliveryTypesTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (IsSkipped())
            return;
        db->exec(u"insert into send_kind (send_type, type_order) values ('A', 1), ('B', 2)"_s);
        db->exec(u"insert into products_data (code, names) values (1, 'milk'), (2, 'tea'), (3, 'juice')"_s);
    }

    void openTypes()
    {
        form = open(u"設定送法"_s);
        grid = child<DataGrid>(form, u"DataGrid1"_s);
    }
    QListWidget* list(int index) { return child<QListWidget>(form, u"List%1"_s.arg(index)); }
    void click(const QString& name) { QTest::mouseClick(child<QAbstractButton>(form, name), Qt::LeftButton); }
    void pickType(const QString& type)
    {
        QListWidget* types = list(1);
        QListWidgetItem* item = types->findItems(type, Qt::MatchExactly).value(0);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(types->viewport(), Qt::LeftButton, {}, types->visualItemRect(item).center());
    }
    QStringList rows()
    {
        QStringList lines;
        QSqlQuery query = db->exec(u"select serial, send_type, names from send_type order by serial"_s);
        while (query.next())
            lines << u"%1 %2 %3"_s.arg(query.value(0).toInt()).arg(query.value(1).toString(), query.value(2).toString());
        return lines;
    }

    QWidget* form = nullptr;
    DataGrid* grid = nullptr;
};

TEST_P(DeliveryTypesTest, TheChosenProductsAreSavedUnderTheListsTypeAndADeleteTakesEveryRowOfItsType)
{
    openTypes();
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"A"_s);
    pickType(u"B"_s);
    child<DataCombo>(form, u"DataCombo1"_s)->setEditText(u"A"_s);
    click(u"Check1"_s);
    click(u"Command1"_s);
    click(u"確定"_s);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(rows(), (QStringList{u"1 B milk"_s, u"2 B tea"_s, u"3 B juice"_s}));
    EXPECT_EQ(list(3)->count(), 0);

    pickType(u"A"_s);
    click(u"Command1"_s);
    click(u"確定"_s);
    ASSERT_EQ(rows().size(), 6);
    child<DataCombo>(form, u"DataCombo1"_s)->setEditText(u"B"_s);
    messages.answer(6);
    click(u"刪除"_s);
    EXPECT_EQ(messages.last().text, u"delete the data <A >polling type???"_s);
    EXPECT_EQ(rows(), (QStringList{u"1 B milk"_s, u"2 B tea"_s, u"3 B juice"_s}));
    EXPECT_EQ(db->scalar(u"select count(*) from send_kind where send_type = 'A'"_s).toInt(), 0);
    EXPECT_EQ(list(1)->count(), 1);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"B"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, DeliveryTypesTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

class DeliveryTypesFormTest : public DeliveryTypesTest {};

TEST_P(DeliveryTypesFormTest, TheArrowsAndOkWaitForTheUnlockAndTheGridOnlyChanges)
{
    openTypes();
    const QStringList gated{u"Command1"_s, u"Command2"_s, u"Command3"_s, u"Command4"_s, u"確定"_s};
    for (const QString& name : gated)
        EXPECT_FALSE(child<QPushButton>(form, name)->isEnabled()) << name.toStdString();
    click(u"Check1"_s);
    for (const QString& name : gated)
        EXPECT_TRUE(child<QPushButton>(form, name)->isEnabled()) << name.toStdString();
    click(u"Check1"_s);
    EXPECT_FALSE(child<QPushButton>(form, u"確定"_s)->isEnabled());

    click(u"Check2"_s);
    EXPECT_TRUE(grid->allowUpdate());
    EXPECT_FALSE(grid->allowAddNew());
    EXPECT_FALSE(grid->allowDelete());
}

TEST_P(DeliveryTypesFormTest, NothingSelectedAddsNothingAndAFailedRowWritesNone)
{
    openTypes();
    click(u"Check1"_s);
    click(u"Command2"_s);
    EXPECT_EQ(list(3)->count(), 0);

    db->exec(u"create trigger refuse before insert on send_type when new.names = 'tea' "
             "begin select raise(abort, 'refused'); end"_s);
    click(u"Command1"_s);
    click(u"確定"_s);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(list(3)->count(), 3);
}

INSTANTIATE_TEST_SUITE_P(SQLite, DeliveryTypesFormTest, ::testing::Values(Backend::SQLite),
                         [](const auto& info) { return backendName(info.param); });
