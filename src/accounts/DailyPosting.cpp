#include "accounts/DailyPosting.h"

#include "accounts/AccountsMessages.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/TextRules.h"
#include "records/MaxPlusOneNumbering.h"

#include <QSqlQuery>
#include <algorithm>

using namespace Qt::StringLiterals;

DailyPosting::DailyPosting(Database& db, Recordset& journal) : m_db(db), m_journal(journal) {}

std::optional<QDate> DailyPosting::lastPostedDay(Database& db)
{
    const QVariant last = db.scalar(u"SELECT max(date_d) FROM account"_s);
    if (last.isNull())
        return std::nullopt;
    return TextRules::storedDate(last);
}

std::optional<QDate> DailyPosting::postingDayOf(Database& db, const QVariant& serial)
{
    QSqlQuery posting = db.exec(u"SELECT account.date_d FROM account_table JOIN account"
                                " ON account.serial = account_table.posting_serial WHERE account_table.serial = ?"_s,
                                {serial});
    if (!db.nextRow(posting))
        return std::nullopt;
    return TextRules::storedDate(posting.value(0));
}

void DailyPosting::refuseChangeOfPostedRow(Database& db, const QVariant& serial)
{
    db.lockTable(u"account_table"_s);
    const std::optional<QDate> posted = postingDayOf(db, serial);
    if (!posted)
        return;
    const QString day = TextRules::dateText(*posted);
    namespace Messages = ErrorMessageBoxes::CashJournal;
    throw DataError(DataError::Kind::Database, DataError::Reason::Other, Messages::postedRow(day).text,
                    Messages::postedRowDetail(day));
}

DailyPosting::Outcome DailyPosting::post(const QDate& day)
{
    m_refusal.clear();
    try {
        Transaction transaction(m_db);
        // Held to the end of the transaction: the last posted day, its closing and the movements not yet
        // taken are read by one posting at a time, each after the one before it is written.
        m_db.lock(Database::Lock::Posting);
        const std::optional<QDate> lastPosted = lastPostedDay(m_db);
        if (lastPosted && day <= *lastPosted) {
            m_refusal = u"%1 is posted already: only a later day can be posted."_s.arg(TextRules::dateText(*lastPosted));
            return Outcome::NotLater;
        }
        const Figures figures = write(day, lastPosted);
        transaction.commit();
        m_figures = figures;
        return Outcome::Posted;
    } catch (const DataError& error) {
        // The transaction is rolled back, which leaves the rows it wrote pending in their recordsets:
        // none of them stays behind.
        if (m_journal.editMode() == Recordset::EditMode::Adding)
            m_journal.cancelUpdate();
        m_refusal = error.detail();
        return Outcome::Failed;
    }
}

DailyPosting::Figures DailyPosting::write(const QDate& day, const std::optional<QDate>& lastPosted)
{
    Figures figures;
    figures.day = day;
    if (lastPosted)
        figures.opening = Decimal::fromVariant(m_db.scalar(u"SELECT now_m FROM account WHERE date_d = ?"_s, {*lastPosted}));

    figures.journalSerial = MaxPlusOneNumbering(m_db, u"account_table"_s, u"serial"_s).take();
    m_journal.addNew();
    m_journal.setValue(u"serial"_s, figures.journalSerial);
    m_journal.setValue(u"date_d"_s, day);
    m_journal.update();

    const qint32 postingSerial = MaxPlusOneNumbering(m_db, u"account"_s, u"serial"_s).take();
    takeMovements(postingSerial, figures);
    figures.closing = figures.opening + figures.daySum;

    m_db.exec(u"INSERT INTO account (serial, date_d, original_m, now_m) VALUES (?, ?, ?, ?)"_s,
              {postingSerial, day, figures.opening.toDouble(), figures.closing.toDouble()});
    return figures;
}

// Marks the movements up to the day that no posting took as this posting's, and sums what it marked:
// one statement, so a row another clerk enters meanwhile is either taken and counted, or left for the
// next posting.
void DailyPosting::takeMovements(qint32 postingSerial, Figures& figures)
{
    QSqlQuery taken = m_db.exec(u"UPDATE account_table SET posting_serial = ?"
                                " WHERE posting_serial IS NULL AND date_d <= ? RETURNING expense, date_d"_s,
                                {postingSerial, figures.day});
    while (m_db.nextRow(taken)) {
        figures.daySum += Decimal::fromVariant(taken.value(0));
        const QDate day = TextRules::storedDate(taken.value(1));
        if (day < figures.day && !figures.carriedDays.contains(day))
            figures.carriedDays << day;
    }
    std::sort(figures.carriedDays.begin(), figures.carriedDays.end());
}
