#include "widgets/UpDown.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

class UpDownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        years.setRange(0, 9999);
        years.setValue(2026);
        years.show();
    }

    void click(const QString& arrow)
    {
        QTest::mouseClick(years.findChild<QToolButton*>(arrow), Qt::LeftButton);
    }

    UpDown years;
};

TEST_F(UpDownTest, ClicksKeysAndCodeEachReportTheNewValue)
{
    QSignalSpy changed(&years, &UpDown::changed);
    click(u"up"_s);
    click(u"down"_s);
    click(u"down"_s);
    QTest::keyClick(&years, Qt::Key_Up);
    years.setValue(1999);
    years.setValue(1999);
    QList<int> reported;
    for (const QList<QVariant>& signal : changed)
        reported << signal.at(0).toInt();
    EXPECT_EQ(reported, (QList<int>{2027, 2026, 2025, 2026, 1999}));
    EXPECT_EQ(years.value(), 1999);
}

TEST_F(UpDownTest, StopsAtEitherEndUnlessItWraps)
{
    years.setValue(9999);
    QSignalSpy changed(&years, &UpDown::changed);
    click(u"up"_s);
    EXPECT_EQ(years.value(), 9999);
    years.setValue(0);
    click(u"down"_s);
    EXPECT_EQ(years.value(), 0);
    EXPECT_EQ(changed.count(), 1) << "only the move to 0 is a change";

    UpDown months;
    months.setRange(1, 12);
    months.setIncrement(5);
    months.setValue(10);
    months.stepUp();
    EXPECT_EQ(months.value(), 12) << "a long step stops at the end";
    months.setWrap(true);
    months.stepUp();
    EXPECT_EQ(months.value(), 1);
    months.stepDown();
    EXPECT_EQ(months.value(), 12);
}

TEST_F(UpDownTest, TakesAValueOutsideItsRangeAsTheNearestEnd)
{
    years.setValue(12000);
    EXPECT_EQ(years.value(), 9999);
    years.setValue(-4);
    EXPECT_EQ(years.value(), 0);
    years.setValue(1500);
    years.setRange(1753, 9999);
    EXPECT_EQ(years.value(), 1753);
}

} // namespace
