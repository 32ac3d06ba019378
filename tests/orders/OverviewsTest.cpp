#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class OverviewsTest : public FormTest {
protected:
    // Each row of the grid as "column column".
    QStringList shown(QWidget* form, const QString& first, const QString& second)
    {
        const Recordset& rows = child<DataGrid>(form, u"DataGrid1"_s)->dataSource()->recordset();
        QStringList lines;
        for (int row = 0; row < rows.recordCount(); ++row) {
            const QVariant b = rows.valueAt(row, rows.fieldIndex(second));
            lines << rows.valueAt(row, rows.fieldIndex(first)).toString() + u' ' +
                         (b.typeId() == QMetaType::QDate ? b.toDate().toString(u"M/d"_s) : b.toString());
        }
        return lines;
    }
};

TEST_F(OverviewsTest, SubscriptionDaysByRangeAndOrder)
{
    for (const auto& [type, month, day] : {std::tuple{"odd", 10, 1}, {"even", 9, 30}, {"odd", 9, 29}, {"even", 10, 2}})
        db->exec(u"insert into subscribe_type (subscribe_type, date_d) values (?, ?)"_s,
                 {QString::fromLatin1(type), QDate(2026, month, day)});
    QWidget* form = open(u"設定訂法全灠"_s);
    EXPECT_EQ(child<QLabel>(form, u"Label2"_s)->text(), u"all_view"_s);
    EXPECT_EQ(child<QDateEdit>(form, u"DTPicker1"_s)->date(), QDate(2026, 12, 8));
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s),
              (QStringList{u"even 9/30"_s, u"even 10/2"_s, u"odd 9/29"_s, u"odd 10/1"_s}));

    child<QDateEdit>(form, u"DTPicker1"_s)->setDate(QDate(2026, 9, 30));
    child<QDateEdit>(form, u"DTPicker2"_s)->setDate(QDate(2026, 10, 1));
    child<QRadioButton>(form, u"Option2"_s)->setChecked(true);
    EXPECT_EQ(child<QLabel>(form, u"Label2"_s)->text(), u"date_view"_s);
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s), (QStringList{u"even 9/30"_s, u"odd 10/1"_s}));
    QTest::mouseClick(child<QPushButton>(form, u"日期排序"_s), Qt::LeftButton);
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s), (QStringList{u"even 9/30"_s, u"odd 10/1"_s}));

    // The first day alone reads nothing; closing the last day's calendar does.
    child<QDateEdit>(form, u"DTPicker1"_s)->setDate(QDate(2026, 9, 1));
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s).size(), 2);
    emit child<QDateEdit>(form, u"DTPicker2"_s)->calendarWidget()->clicked(QDate(2026, 10, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s).size(), 3);
    // Enter in the last day's picker reads the range again too.
    child<QDateEdit>(form, u"DTPicker2"_s)->setDate(QDate(2026, 10, 2));
    QTest::keyClick(child<QDateEdit>(form, u"DTPicker2"_s), Qt::Key_Return);
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s).size(), 4);

    child<QRadioButton>(form, u"Option1"_s)->setChecked(true);
    EXPECT_EQ(shown(form, u"subscribe_type"_s, u"date_d"_s).first(), u"even 9/30"_s) << "type, then day again";
}

TEST_F(OverviewsTest, DeliveryTypesOneByOneWithTheLastQueryRepeated)
{
    db->exec(u"insert into send_type (serial, send_type, names) values "
             "(1, 'plain', 'milk'), (2, 'Ann''s', 'tea'), (3, 'plain', 'juice')"_s);
    QWidget* form = open(u"輪送方式一灠"_s);
    EXPECT_FALSE(form->parentWidget()) << "a window of its own";
    EXPECT_EQ(shown(form, u"send_type"_s, u"names"_s),
              (QStringList{u"Ann's tea"_s, u"plain milk"_s, u"plain juice"_s}));
    auto* choice = child<DataCombo>(form, u"DataCombo1"_s);
    choice->setEditText(u"plain"_s);
    EXPECT_EQ(shown(form, u"send_type"_s, u"names"_s), (QStringList{u"plain milk"_s, u"plain juice"_s}));
    choice->setEditText(QString());
    EXPECT_EQ(shown(form, u"send_type"_s, u"names"_s).size(), 2) << "the last query again";
    choice->setEditText(u"Ann's"_s);
    EXPECT_EQ(shown(form, u"send_type"_s, u"names"_s), QStringList{u"Ann's tea"_s});
    QTest::mouseClick(child<QPushButton>(form, u"全灠"_s), Qt::LeftButton);
    EXPECT_EQ(shown(form, u"send_type"_s, u"names"_s).size(), 3);
    EXPECT_EQ(messages.count(), 0);
}
