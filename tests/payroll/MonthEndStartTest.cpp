#include "AprilPayroll.h"
#include "TestDatabase.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "payroll/MonthEndRun.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <gtest/gtest.h>
#include <latch>
#include <thread>

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

// Two clerks at two computers start one month's run at the same moment, month after month. The run that
// settles holds the books until the other clerk has an answer, and that answer comes within a second: the
// month is being settled (or, where the other run had ended already, settled), never that the books are
// busy after the wait for them.
TEST_P(MonthEndStartTest, OfTwoRunsStartedAtTheSameMomentTheOtherIsToldAtOnce)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    AprilPayroll::fill(*db);
    struct Clerk {
        std::optional<MonthEndRun::Outcome> outcome;
        QString refusal;
        qint64 answeredAfterMs = 0;
    };
    for (int month = 4; month <= 9; ++month) {
        SCOPED_TRACE(month);
        std::latch start(2);
        QSemaphore otherAnswered;
        Clerk clerks[2];
        auto work = [&](Clerk& clerk) {
            auto books = Database::open(db->location());
            start.arrive_and_wait();
            QElapsedTimer waited;
            waited.start();
            try {
                clerk.outcome = MonthEndRun(*books)
                                    .run({2002, month, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate},
                                         [&](int done, int) {
                                             if (done == 0)
                                                 otherAnswered.tryAcquire(1, 3000);
                                         })
                                    .outcome;
            } catch (const DataError& error) {
                clerk.refusal = error.detail();
            }
            clerk.answeredAfterMs = waited.elapsed();
            if (clerk.outcome != MonthEndRun::Outcome::Settled)
                otherAnswered.release();
        };
        std::thread first(work, std::ref(clerks[0]));
        std::thread second(work, std::ref(clerks[1]));
        first.join();
        second.join();

        const int settling = clerks[0].outcome == MonthEndRun::Outcome::Settled ? 0 : 1;
        const Clerk& other = clerks[1 - settling];
        ASSERT_EQ(clerks[settling].outcome, MonthEndRun::Outcome::Settled) << clerks[settling].refusal.toStdString();
        EXPECT_TRUE(other.outcome == MonthEndRun::Outcome::BeingSettled
                    || other.outcome == MonthEndRun::Outcome::AlreadySettled)
            << other.refusal.toStdString();
        EXPECT_LT(other.answeredAfterMs, 1000);
    }
}

// A mark left by a run that ended without taking it away (the program was ended mid-run) names a month
// no one settles: the next run, finding the books free, settles.
TEST_P(MonthEndStartTest, AMarkLeftBehindDoesNotStopTheNextRun)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    AprilPayroll::fill(*db);
    db->exec(u"UPDATE salary_sum_date SET settling_month = ?"_s, {QDate(2002, 4, 1)});
    const MonthEndRun::Result run =
        MonthEndRun(*db).run({2002, 4, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate});
    EXPECT_EQ(run.outcome, MonthEndRun::Outcome::Settled);
    EXPECT_TRUE(db->scalar(u"SELECT settling_month FROM salary_sum_date"_s).isNull());
}

INSTANTIATE_TEST_SUITE_P(Backends, MonthEndStartTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
