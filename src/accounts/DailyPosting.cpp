#include "accounts/DailyPosting.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "records/MaxPlusOneNumbering.h"

using namespace Qt::StringLiterals;

DailyPosting::DailyPosting(Database& db, Recordset& journal) : m_db(db), m_journal(journal) {}

std::optional<QDate> DailyPosting::lastPostedDay(Database& db)
{
    // SQLite hands a date back as its ISO text, PostgreSQL as a date: both read as a date here.
    const QVariant last = db.scalar(u"SELECT max(date_d) FROM account"_s);
    if (last.isNull())
        return std::nullopt;
    return QDate::fromString(last.toString().left(10), Qt::ISODate);
}

DailyPosting::Outcome DailyPosting::post(const QDate& day)
{
    Recordset postedDays(m_db);
    try {
        Transaction transaction(m_db);
        const std::optional<QDate> lastPosted = lastPostedDay(m_db);
        if (lastPosted && day <= *lastPosted)
            return Outcome::NotLater;
        const Figures figures = figure(day, lastPosted.value_or(QDate()));

        m_journal.addNew();
        m_journal.setValue(u"serial"_s, figures.journalSerial);
        m_journal.setValue(u"date_d"_s, day);
        m_journal.update();

        // The day's row of the posted days, which the guard above keeps empty until now.
        postedDays.load(u"SELECT * FROM account WHERE date_d = ?"_s, {day});
        postedDays.addNew();
        postedDays.setValue(u"serial"_s, MaxPlusOneNumbering(m_db, u"account"_s, u"serial"_s).next());
        postedDays.setValue(u"date_d"_s, day);
        postedDays.setValue(u"original_m"_s, figures.opening.toDouble());
        postedDays.setValue(u"now_m"_s, figures.closing.toDouble());
        postedDays.update();

        transaction.commit();
        m_figures = figures;
        return Outcome::Posted;
    } catch (const DataError&) {
        // The transaction is rolled back, which leaves the rows it wrote pending in their recordsets:
        // none of them stays behind.
        if (m_journal.editMode() == Recordset::EditMode::Adding)
            m_journal.cancelUpdate();
        return Outcome::Failed;
    }
}

DailyPosting::Figures DailyPosting::figure(const QDate& day, const QDate& lastPosted)
{
    Figures figures;
    figures.day = day;
    if (lastPosted.isValid())
        figures.opening = Decimal::fromVariant(m_db.scalar(u"SELECT now_m FROM account WHERE date_d = ?"_s, {lastPosted}));
    figures.daySum = Decimal::fromVariant(m_db.scalar(u"SELECT sum(expense) FROM account_table WHERE date_d = ?"_s, {day}));
    figures.closing = figures.opening + figures.daySum;
    figures.journalSerial = MaxPlusOneNumbering(m_db, u"account_table"_s, u"serial"_s).next();
    return figures;
}
