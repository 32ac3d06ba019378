#include "AprilPayroll.h"
#include "TestDatabase.h"

#include "data/Database.h"
#include "payroll/MonthEndRun.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

class MonthEndStartTest : public ::testing::TestWithParam<Backend> {};

// Two clerks start April's run together: the first has marked the month and holds the run, but has not
// reached the pay rows yet. The second is told within a second that April is being settled, and settles
// nothing.
TEST_P(MonthEndStartTest, TheSecondOfTwoRunsStartedTogetherIsToldAtOnce)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    AprilPayroll::fill(*db);
    auto firstClerk = openSecondConnection(*db);
    firstClerk->exec(u"UPDATE salary_sum_date SET settling_month = ?"_s, {QDate(2002, 4, 1)});
    Transaction firstRun(*firstClerk);
    ASSERT_TRUE(firstClerk->tryLock(Database::Lock::MonthEnd));

    QElapsedTimer waited;
    waited.start();
    const MonthEndRun::Result second =
        MonthEndRun(*db).run({2002, 4, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate});
    EXPECT_LT(waited.elapsed(), 1000);
    EXPECT_EQ(second.outcome, MonthEndRun::Outcome::BeingSettled);
    EXPECT_EQ(second.settlingMonth, QDate(2002, 4, 1));
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 1"_s).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, MonthEndStartTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
