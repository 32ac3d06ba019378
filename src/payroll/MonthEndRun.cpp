#include "payroll/MonthEndRun.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "payroll/Commission.h"
#include "payroll/PayFigures.h"
#include "payroll/PayRowItems.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <algorithm>

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
    qint64 id;
    qint32 code;
    bool stays; // known and not left: the next month's row opens
    CommissionInputs commission;
    QList<Decimal> additions; // the salary and the items of Text2, bottle money as stored
    QList<Decimal> deductions;
};

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

MonthEndRun::Result MonthEndRun::run(const Request& request, const Progress& progress)
{
    if (!QDate(request.year, request.month, 1).isValid() || !request.settlementDate.isValid())
        throw DataError(DataError::Kind::Conversion, u"The month or the settlement date is not a date."_s);
    Result result;
    Transaction transaction(m_db);
    if (!claimMonth(request)) {
        result.outcome = Outcome::AlreadySettled;
        return result;
    }

    QList<OpenRow> rows;
    QSqlQuery query = m_db.exec(openRowsStatement());
    while (query.next()) {
        OpenRow row{query.value(Id).toLongLong(), query.value(Code).toInt(),
                    !query.value(KnownCode).isNull() && query.value(LeaveDate).isNull(),
                    {query.value(Name).toString(), query.value(Code).toInt(), request.year, request.month,
                     request.referenceDate, query.value(JobTitle).toString(), false},
                    {PayFigures::stored(query.value(Salary))},
                    {}};
        int column = FirstItem;
        for (std::size_t i = 0; i < PayRowItems::Additions.size(); ++i)
            row.additions << PayFigures::stored(query.value(column++));
        for (std::size_t i = 0; i < PayRowItems::Deductions.size(); ++i)
            row.deductions << PayFigures::stored(query.value(column++));
        rows << row;
    }
    if (progress)
        progress(0, int(rows.size()));

    const CommissionCalculator commissions(m_db);
    for (OpenRow& row : rows) {
        const CommissionFigures earned = commissions.compute(row.commission);
        const Decimal bottleMoney = earned.oldBottles + earned.newBottles;
        row.additions[1 + PayRowItems::BottleMoney] = bottleMoney;
        const Decimal promise = PayFigures::settledNetPay(row.additions, row.deductions);
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
    transaction.commit();
    return result;
}
