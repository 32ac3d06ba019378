#include "AprilPayroll.h"
#include "TestDatabase.h"

#include "data/DataError.h"
#include "data/Schema.h"
#include "payroll/Commission.h"
#include "payroll/MonthEndRun.h"
#include "payroll/PayFigures.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(PayFigures, NetPayReadsEachBoxByItsLeadingNumber)
{
    struct Case { QString salary; QStringList additions, deductions; QString net; };
    const Case cases[] = {
        {u"900"_s, {}, {}, u"900"_s},
        {u"800"_s, {u"100"_s, u"50"_s}, {u"20"_s}, u"930"_s},
        {u"0"_s, {u"12abc"_s, u"abc"_s}, {}, u"12"_s},
        {u"0"_s, {u"0.1"_s, u"0.2"_s}, {}, u"0.3"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PayFigures::netPay(c.salary, c.additions, c.deductions).toString(), c.net) << c.net.toStdString();
    EXPECT_THROW(PayFigures::netPay(u"1e300"_s, {}, {}), DataError);
    EXPECT_THROW(PayFigures::netPay(u"0"_s, {u"99999999999999999999"_s}, {}), DataError);
}

// The run makes the deductions whole after each one: 0.5 then 1.5 give 0, then 2.
TEST(PayFigures, SettledNetPayMakesTheDeductionsWholeAfterEachOne)
{
    const auto d = [](const char16_t* text) { return Decimal::fromText(text); };
    EXPECT_EQ(PayFigures::settledNetPay({d(u"100.5")}, {d(u"0.5"), d(u"1.5")}).toString(), u"98.5"_s);
    EXPECT_EQ(PayFigures::settledNetPay({d(u"10")}, {d(u"2.5"), d(u"0")}).toString(), u"8"_s);
}

TEST(LeaveDeduction, PricesPersonalAndSickHoursAtTheHourlyRate)
{
    struct Step { int box; QString hours; qint64 total; };
    struct Case { QString salary; qint64 rate; QList<Step> steps; };
    const Case cases[] = {
        {u"960"_s, 4, {{0, u"3"_s, 12}, {1, u"2"_s, 20}, {3, u"8"_s, 20}}},
        {u"19920"_s, 83, {{0, u"0.5"_s, 42}, {1, u"0.5"_s, 84}}}, // 41.5 + Whole(41.5), made whole: 84
        {u"239"_s, 0, {{0, u"100"_s, 0}, {1, u"9"_s, 0}}},
        {u"-960"_s, -4, {{1, u"1"_s, -4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.salary.toStdString());
        EXPECT_EQ(LeaveDeduction::hourlyRate(c.salary), c.rate);
        LeaveDeduction leave;
        for (const Step& step : c.steps)
            EXPECT_EQ(leave.price(step.box, step.hours, c.salary), step.total);
    }

    LeaveDeduction leave;
    leave.price(LeaveDeduction::PersonalLeave, u"3"_s, u"960"_s);
    EXPECT_EQ(leave.price(LeaveDeduction::SickLeave, u"2"_s, u"9000000000"_s), 75000012) << "beyond 32 bits";
    EXPECT_THROW(leave.price(LeaveDeduction::SickLeave, u"1e6"_s, u"99999999999"_s), DataError);
    EXPECT_THROW(leave.price(LeaveDeduction::SickLeave, u"1e200"_s, u"960"_s), DataError);
    EXPECT_EQ(leave.price(LeaveDeduction::SickLeave, u"0"_s, u"960"_s), 12) << "a refused figure changes nothing";
    leave.reset();
    EXPECT_EQ(leave.price(4, u"1"_s, u"960"_s), 0);
}

class PayComputation : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        REQUIRE_BACKEND(GetParam());
        db = openTestDatabase(GetParam());
        AprilPayroll::fill(*db);
    }

    CommissionFigures commission(int code, const QString& name, const QString& title, bool settled = false)
    {
        return CommissionCalculator(*db).compute(
            {name, code, 2002, 4, AprilPayroll::ReferenceDate, title, settled});
    }
    MonthEndRun::Outcome settle(int year, int month, QDate on = AprilPayroll::SettlementDate)
    {
        return MonthEndRun(*db).run({year, month, AprilPayroll::ReferenceDate, on}).outcome;
    }
    QString settledMonth() { return db->scalar(u"SELECT settled_month FROM salary_sum_date"_s).toDate().toString(u"yyyy/M"_s); }

    std::unique_ptr<Database> db;
};

TEST_P(PayComputation, CommissionsFollowTheTitleTheCustomersAndTheArea)
{
    struct Case { int code; QString name, title; bool settled; QString oldBottles, newBottles; };
    const Case cases[] = {
        {1, u"林一"_s, u"業務"_s, false, u"9"_s, u"7.5"_s},  // old 101 and 105, new 102; 104 starts in May
        {2, u"陳二"_s, u"送奶員"_s, false, u"2.1"_s, u"1.4"_s}, // own 103 whatever its flags; area 2 without them
        {3, u"張三"_s, u"內勤"_s, false, u"0"_s, u"0"_s},
        {1, u"林一"_s, u"業務"_s, true, u"0"_s, u"0.1"_s},   // settled: the area sum of area 1
        {2, u"陳二"_s, u"送奶員 "_s, false, u"0"_s, u"1.4"_s}, // the title exactly
        {9, u"nobody"_s, u"業務"_s, false, u"0"_s, u"0"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " " + c.title.toStdString());
        const CommissionFigures figures = commission(c.code, c.name, c.title, c.settled);
        EXPECT_EQ(figures.oldBottles.toString(), c.oldBottles);
        EXPECT_EQ(figures.newBottles.toString(), c.newBottles);
    }
}

TEST_P(PayComputation, NamesWithQuotesEarnToo)
{
    AprilPayroll::addEmployee(*db, 7, u"O'Neil"_s, u"業務"_s, 5);
    AprilPayroll::addCustomer(*db, 201, u"O'Neil"_s, QDate(2002, 1, 1));
    db->exec(u"INSERT INTO complete (names, code, o_c) VALUES ('Bob''s', 3, 0.25)"_s);
    AprilPayroll::addDelivery(*db, 201, QDate(2002, 4, 8), u"Bob's"_s, 6);
    EXPECT_EQ(commission(7, u"O'Neil"_s, u"業務"_s).oldBottles.toString(), u"1.5"_s);
}

TEST_P(PayComputation, TheMonthSettlesEveryOpenRowAndOpensTheNextOnes)
{
    QList<std::pair<int, int>> progress;
    const MonthEndRun::Result result = MonthEndRun(*db).run(
        {2002, 4, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate},
        [&](int done, int total) { progress << std::pair{done, total}; });
    EXPECT_EQ(result.outcome, MonthEndRun::Outcome::Settled);
    EXPECT_EQ(result.settledRows.size(), 3);
    EXPECT_EQ(progress.size(), 4);
    EXPECT_EQ(progress.last(), (std::pair{3, 3}));

    QSqlQuery rows = db->exec(u"SELECT e_code, bottle_m, promise, balance, balance_date FROM salary_detailed "
                              "WHERE balance = 1 ORDER BY e_code"_s);
    const double bottles[] = {16.5, 3.5, 0}, promises[] = {34366.5, 30401.8, 25000};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(rows.next());
        EXPECT_EQ(rows.value(0).toInt(), i + 1);
        EXPECT_EQ(rows.value(1).toDouble(), bottles[i]);
        EXPECT_EQ(rows.value(2).toDouble(), promises[i]);
        EXPECT_EQ(rows.value(4).toDate(), AprilPayroll::SettlementDate);
    }
    EXPECT_FALSE(rows.next());
    QSqlQuery open = db->exec(u"SELECT e_code, promise, overtime FROM salary_detailed WHERE balance = 0 ORDER BY e_code"_s);
    for (int code : {1, 2}) {
        ASSERT_TRUE(open.next());
        EXPECT_EQ(open.value(0).toInt(), code);
        EXPECT_EQ(open.value(2).toDouble(), 0);
    }
    EXPECT_FALSE(open.next()) << "張三 has left";
    EXPECT_EQ(db->scalar(u"SELECT salary_sum_date FROM salary_sum_date"_s).toDate(), AprilPayroll::SettlementDate);
    EXPECT_EQ(settledMonth(), u"2002/4"_s);
}

// Pay beyond 32 bits is settled exactly; a net pay beyond the range of pay is refused, naming the
// employee and the item, and nothing is written.
TEST_P(PayComputation, PayOfBillionsSettlesExactlyAndARefusalNamesTheEmployeeAndTheItem)
{
    QSqlQuery before = db->exec(u"SELECT salary, health FROM salary_data WHERE e_code = 3"_s);
    ASSERT_TRUE(before.next());
    const double expected = 25000 + (9e9 - before.value(0).toDouble()) - (3e9 - before.value(1).toDouble());
    db->exec(u"UPDATE salary_data SET salary = 9e9, health = 3e9 WHERE e_code = 3"_s);
    db->exec(u"UPDATE salary_detailed SET overtime = 99999999999 WHERE e_code = 2"_s);
    try {
        MonthEndRun(*db).run({2002, 4, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate});
        ADD_FAILURE() << "a net pay beyond the range of pay was settled";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().startsWith(u"Employee 2, promise: "_s)) << error.message().toStdString();
        EXPECT_TRUE(error.detail().contains(u"from -99999999999.9999 to 99999999999.9999"_s));
    }
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 1"_s).toInt(), 0);

    db->exec(u"UPDATE salary_detailed SET overtime = 0 WHERE e_code = 2"_s);
    MonthEndRun(*db).run({2002, 4, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate});
    EXPECT_EQ(db->scalar(u"SELECT promise FROM salary_detailed WHERE e_code = 3 AND balance = 1"_s).toDouble(), expected);
}

TEST_P(PayComputation, EachMonthIsSettledOnceAndInTurn)
{
    using Outcome = MonthEndRun::Outcome;
    struct Run { int year, month; Outcome outcome; };
    const Run runs[] = {{2002, 4, Outcome::Settled}, {2002, 4, Outcome::AlreadySettled},
                        {2002, 3, Outcome::AlreadySettled}, {2002, 5, Outcome::Settled},
                        {2002, 12, Outcome::Settled}, {2003, 1, Outcome::Settled}, {2002, 12, Outcome::AlreadySettled}};
    for (const Run& run : runs) {
        const int openBefore = db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 0"_s).toInt();
        EXPECT_EQ(settle(run.year, run.month), run.outcome) << run.year << "/" << run.month;
        if (run.outcome == Outcome::AlreadySettled) {
            EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 0"_s).toInt(), openBefore);
        }
    }
    EXPECT_EQ(settledMonth(), u"2003/1"_s);
}

TEST_P(PayComputation, BooksOfTheFirstVersionGainTheSettledMonth)
{
    db->exec(u"ALTER TABLE salary_sum_date DROP COLUMN settled_month"_s);
    db->exec(u"DELETE FROM schema_version"_s);
    db->exec(u"INSERT INTO schema_version (version) VALUES (1)"_s);
    Schema::create(*db);
    EXPECT_EQ(Schema::storedVersion(*db), Schema::currentVersion());
    EXPECT_EQ(settle(2002, 4), MonthEndRun::Outcome::Settled);
    EXPECT_EQ(settledMonth(), u"2002/4"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, PayComputation, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
