#include "ShellTest.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;

using AboutCalendarTest = ShellTest;

TEST_F(AboutCalendarTest, SystemInformationWithoutAProgramSaysSo)
{
    QWidget* about = open(u"About"_s);
    EXPECT_EQ(about->windowTitle(), u"ABOUT APPLICATION"_s);
    EXPECT_EQ(child<QLabel>(about, u"lblVersion"_s)->text(), u"VISION:2002_0317"_s);

    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    QTest::mouseClick(child<QPushButton>(about, u"cmdSysInfo"_s), Qt::LeftButton);
    qputenv("PATH", path);

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"目前無法提供系統資訊"_s);
    EXPECT_EQ(messages.last().flags, 0);
    EXPECT_EQ(messages.last().title, u"HALCYON LEDGER"_s);

    QTest::mouseClick(child<QPushButton>(about, u"cmdOK"_s), Qt::LeftButton);
    EXPECT_FALSE(isOpen(u"About"_s));
}

TEST_F(AboutCalendarTest, CalendarOpensOnTodayEachTimeItIsLoaded)
{
    QWidget* calendar = open(u"萬年曆表"_s);
    EXPECT_EQ(app->values.work_date, QDate(2026, 12, 8));
    EXPECT_EQ(child<QCalendarWidget>(calendar, u"MonthView1"_s)->selectedDate(), QDate(2026, 12, 8));
    calendar->close();
    EXPECT_FALSE(isOpen(u"萬年曆表"_s));

    clock.set(QDate(2027, 2, 28));
    calendar = open(u"萬年曆表"_s);
    EXPECT_EQ(child<QCalendarWidget>(calendar, u"MonthView1"_s)->selectedDate(), QDate(2027, 2, 28));
}

} // namespace
