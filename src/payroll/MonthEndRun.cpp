#include "payroll/MonthEndRun.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "payroll/Commission.h"
#include "payroll/PayFigures.h"
#include "payroll/PayRowItems.h"

#include <QDeadlineTimer>
#include <QSqlQuery>
#include <QThread>
#include <QSqlRecord>
#include <QStringList>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// An open row with what settling it needs: its items, the employee's fixed items, name, title and
// leaving date. An unknown employee has a null code here.
QString openRowsStatement()
{
    QStringList columns{u"salary_detailed.id"_s, u"salary_detailed.e_code"_s, u"salary_data.salary"_s,
                        u"employees_data.e_code"_s, u"employees_data.name"_s, u"employees_data.job_leave"_s,
                        u"employees_data.leave_date"_s};
    const auto addColumn = [&columns](const PayRowItems::Item& item) {
        const char* table = item.source == PayRowItems::Source::PayRow ? "salary_detailed" : "salary_data";
        columns << u"%1.%2"_s.arg(QLatin1String(table), QLatin1String(item.column));
    };
    std::for_each(PayRowItems::Additions.begin(), PayRowItems::Additions.end(), addColumn);
    std::for_each(PayRowItems::Deductions.begin(), PayRowItems::Deductions.end(), addColumn);
    return u"SELECT %1 FROM salary_detailed "
           "LEFT JOIN salary_data ON salary_data.e_code = salary_detailed.e_code "
           "LEFT JOIN employees_data ON employees_data.e_code = salary_detailed.e_code "
           "WHERE salary_detailed.balance = 0 ORDER BY salary_detailed.e_code, salary_detailed.id"_s
        .arg(columns.join(u", "_s));
}
enum OpenRowColumn { Id, Code, Salary, KnownCode, Name, JobTitle, LeaveDate, FirstItem };

struct OpenRow {
    qint64 id = 0;
    qint32 code = 0;
    bool stays = false; // known and not left: the next month's row opens
    CommissionInputs commission;
    QList<Decimal> additions; // the salary and the items of Text2, bottle money as stored
    QList<Decimal> deductions;
};

// A figure of an employee's pay row, read or worked out; one beyond the range of pay is refused,
// naming the employee and the item.
template <typename Work>
Decimal figureOf(qint32 code, const char* item, Work work)
{
    try {
        return work();
    } catch (const DataError& error) {
        throw PayFigures::namingEmployee(error, code, QLatin1String(item));
    }
}

// A stored figure of an open row.
Decimal storedFigure(const QSqlQuery& query, int column, qint32 code, const char* item)
{
    return figureOf(code, item, [&] { return PayFigures::stored(query.value(column)); });
}

// Built one figure at a time: a refused figure leaves no half-built row behind.
OpenRow readOpenRow(const QSqlQuery& query, const MonthEndRun::Request& request)
{
    OpenRow row;
    row.id = query.value(Id).toLongLong();
    row.code = query.value(Code).toInt();
    row.stays = !query.value(KnownCode).isNull() && query.value(LeaveDate).isNull();
    row.commission.name = query.value(Name).toString();
    row.commission.employeeCode = row.code;
    row.commission.year = request.year;
    row.commission.month = request.month;
    row.commission.referenceDate = request.referenceDate;
    row.commission.jobTitle = query.value(JobTitle).toString();
    row.commission.settled = false;
    row.additions << storedFigure(query, Salary, row.code, "salary");
    int column = FirstItem;
    for (const PayRowItems::Item& item : PayRowItems::Additions)
        row.additions << storedFigure(query, column++, row.code, item.column);
    for (const PayRowItems::Item& item : PayRowItems::Deductions)
        row.deductions << storedFigure(query, column++, row.code, item.column);
    return row;
}

// How long a run waits for the books before it looks whether another clerk's run holds them.
constexpr int SettlingProbeMs = 300;

} // namespace

// Stores the settlement date and the month, where that month comes after the last one settled. The
// write comes first, so a second clerk's run waits for the first and then finds its month taken.
bool MonthEndRun::claimMonth(const Request& request)
{
    const QDate month(request.year, request.month, 1);
    QSqlQuery claim = m_db.exec(u"UPDATE salary_sum_date SET salary_sum_date = ?, settled_month = ? "
                                "WHERE settled_month IS NULL OR settled_month < ?"_s,
                                {request.settlementDate, month, month});
    if (claim.numRowsAffected() > 0)
        return true;
    if (m_db.scalar(u"SELECT count(*) FROM salary_sum_date"_s).toInt() == 0)
        throw DataError(DataError::Kind::Database, u"The books hold no row for the last settlement's date."_s);
    return false;
}

// The month another clerk's run marked as being settled, if a mark stands.
std::optional<QDate> MonthEndRun::settlingMark()
{
    const QVariant marked = m_db.scalar(u"SELECT settling_month FROM salary_sum_date"_s);
    return marked.isNull() ? std::nullopt : std::optional<QDate>(marked.toDate());
}

// Marks the month as being settled, in a write of its own that others can read while the run holds the
// books, where no mark stands yet: of two runs started at the same moment one marks, and the other knows
// the mark is not its own. When the books are held and a mark names a month, another clerk's run holds
// them and nothing is written. Held without a mark, the run waits as any write does.
MonthEndRun::Marking MonthEndRun::markSettling(QDate month)
{
    bool marked = false;
    const auto mark = [&] {
        Transaction transaction(m_db);
        marked = m_db.exec(u"UPDATE salary_sum_date SET settling_month = ? WHERE settling_month IS NULL"_s, {month})
                     .numRowsAffected() > 0;
        transaction.commit();
    };
    m_db.setLockTimeout(SettlingProbeMs);
    try {
        mark();
        m_db.useUsualLockTimeout();
        return marked ? Marking::Own : Marking::AnothersStands;
    } catch (const DataError& error) {
        m_db.useUsualLockTimeout();
        if (error.reason() != DataError::Reason::Busy)
            throw;
    }
    if (settlingMark())
        return Marking::AnotherRunHolds;
    mark();
    return marked ? Marking::Own : Marking::AnothersStands;
}

// A run that ended without settling takes its mark away where it can; a mark left behind only names a
// month while the books are held by another run.
void MonthEndRun::unmarkSettling()
{
    try {
        Transaction transaction(m_db);
        m_db.exec(u"UPDATE salary_sum_date SET settling_month = NULL"_s);
        transaction.commit();
    } catch (const DataError&) {
    }
}

// Another run's mark stands: that run holds the books, or is about to take them, which a brief wait
// tells; false then. A mark over books that stay free through the probe's time was left by a run that
// ended without taking it away: the transaction begins, and this run takes the mark over.
bool MonthEndRun::beginUnlessAnotherRunHolds(std::optional<Transaction>& transaction)
{
    const QDeadlineTimer leftover(SettlingProbeMs);
    for (;;) {
        try {
            transaction.emplace(m_db, SettlingProbeMs);
        } catch (const DataError& error) {
            if (error.reason() != DataError::Reason::Busy)
                throw;
            return false;
        }
        if (!m_db.tryLock(Database::Lock::MonthEnd))
            return false;
        if (leftover.hasExpired())
            return true;
        transaction.reset(); // the books free again for the run that marked, if it is about to take them
        QThread::msleep(10);
    }
}

MonthEndRun::Result MonthEndRun::run(const Request& request, const Progress& progress)
{
    const QDate month(request.year, request.month, 1);
    if (!month.isValid() || !request.settlementDate.isValid())
        throw DataError(DataError::Kind::Conversion, u"The month or the settlement date is not a date."_s);
    Result result;
    if (const Marking marking = markSettling(month); marking == Marking::AnotherRunHolds) {
        result.outcome = Outcome::BeingSettled;
    } else {
        try {
            settle(request, progress, marking, result);
        } catch (...) {
            unmarkSettling();
            throw;
        }
    }
    if (result.outcome == Outcome::BeingSettled)
        result.settlingMonth = settlingMark().value_or(month);
    return result;
}

void MonthEndRun::settle(const Request& request, const Progress& progress, Marking marking, Result& result)
{
    std::optional<Transaction> transaction;
    if (marking == Marking::Own) {
        transaction.emplace(m_db);
    } else if (!beginUnlessAnotherRunHolds(transaction)) {
        result.outcome = Outcome::BeingSettled;
        return;
    }
    // Two runs that got past their marks at the same moment: the second is told at once.
    if (!m_db.tryLock(Database::Lock::MonthEnd)) {
        result.outcome = Outcome::BeingSettled;
        return;
    }
    const bool claimed = claimMonth(request);
    m_db.exec(u"UPDATE salary_sum_date SET settling_month = NULL"_s);
    if (!claimed) {
        transaction->commit();
        result.outcome = Outcome::AlreadySettled;
        return;
    }

    QList<OpenRow> rows;
    QSqlQuery query = m_db.exec(openRowsStatement());
    while (m_db.nextRow(query))
        rows << readOpenRow(query, request);
    if (progress)
        progress(0, int(rows.size()));

    const CommissionCalculator commissions(m_db);
    for (OpenRow& row : rows) {
        const Decimal bottleMoney = figureOf(row.code, "bottle_m", [&] {
            const CommissionFigures earned = commissions.compute(row.commission);
            return PayFigures::add(earned.oldBottles, earned.newBottles);
        });
        row.additions[1 + PayRowItems::BottleMoney] = bottleMoney;
        const Decimal promise =
            figureOf(row.code, "promise", [&] { return PayFigures::settledNetPay(row.additions, row.deductions); });
        QSqlQuery settle = m_db.exec(u"UPDATE salary_detailed SET bottle_m = ?, balance = 1, balance_date = ?, "
                                     "promise = ? WHERE id = ? AND balance = 0"_s,
                                     {bottleMoney.toDouble(), request.settlementDate, promise.toDouble(), row.id});
        if (settle.numRowsAffected() != 1)
            throw DataError(DataError::Kind::Conflict, u"A pay row was changed by another user during the run."_s);
        if (row.stays)
            m_db.exec(u"INSERT INTO salary_detailed (e_code) VALUES (?)"_s, {row.code});
        result.settledRows << row.id;
        if (progress)
            progress(int(result.settledRows.size()), int(rows.size()));
    }
    transaction->commit();
}
