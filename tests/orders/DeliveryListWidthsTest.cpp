#include "FormTest.h"
#include "SheetRuns.h"

#include "data/Database.h"

#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The widths of a sheet's columns as the saved file gives them to the spreadsheet program, by column
// number; columns that keep the standard width are missing.
QMap<int, double> savedWidths(const QString& file)
{
    const QString sheet = SheetRuns::partOf(file, u"xl/worksheets/sheet1.xml"_s);
    QMap<int, double> widths;
    static const QRegularExpression col(uR"re(<col min="(\d+)" max="\1" width="([\d.]+)")re"_s);
    for (const QRegularExpressionMatch& match : col.globalMatch(sheet))
        widths[match.captured(1).toInt()] = match.captured(2).toDouble();
    return widths;
}

using DeliveryListWidthsTest = FormTest;

// Two areas: the second holds the longest address, so the fit covers every block, not the first only.
TEST_F(DeliveryListWidthsTest, ColumnsFitTheLongestAddressTelephoneAndNameOfEveryArea)
{
    SheetRuns runs(*app);
    const QString longAddress = u"台北市中正區重慶南路一段一百二十二巷三十五弄七號之三"_s; // 26 wide characters
    const QList<QVariantList> customers{
        {1, u"王大明"_s, u"02-2345-6789#123"_s, u"A路1號"_s, u"R2"_s, 1},
        {2, u"Margaret Lee"_s, u"0922"_s, longAddress, u"R1"_s, 2},
    };
    for (const QVariantList& c : customers) {
        db->exec(u"insert into milk_area (milk_area) values (?)"_s, {c[5]});
        db->exec(u"insert into customer_data (c_code, name, tel, goods_addr, goods_addr_code, milk_area) "
                 "values (?, ?, ?, ?, ?, ?)"_s, c);
        db->exec(u"insert into different_move (c_code) values (?)"_s, {c[0]});
        db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, milk_area) "
                 "values (?, '2026-12-08', '鮮乳', 2, ?)"_s, {c[0], c[5]});
    }

    QWidget* form = open(u"載入送貨地址"_s);
    QTest::mouseClick(child<QRadioButton>(form, u"全部"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(form, u"OKButton"_s), Qt::LeftButton);
    ASSERT_EQ(runs.opened().size(), 1);

    // Column D the address, E the name, F the telephone: the widest cell and one character to spare.
    const QMap<int, double> widths = savedWidths(runs.opened().first());
    EXPECT_NEAR(widths.value(4), 2 * 26 + 1, 1) << "address";
    EXPECT_NEAR(widths.value(5), 12 + 1, 1) << "name";
    EXPECT_NEAR(widths.value(6), 16 + 1, 1) << "telephone";
}

} // namespace
