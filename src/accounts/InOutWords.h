#pragma once

#include "data/TextRules.h"

#include <QString>
#include <QStringView>
#include <QVariant>

// The one pair of words the cash journal marks its rows with and the journal overview filters by.
namespace InOutWords {

// The journal's columns as the forms show them. The mark of the posting that took a row stays out, so
// a posting never makes a clerk's next save of a row shown before it look like another clerk's change.
inline const QString JournalColumns = QStringLiteral("serial, item, expense, date_d, other, in_out");

inline const QString Income = QStringLiteral("income");
inline const QString Expense = QStringLiteral("expense");

// The word of an amount as a clerk typed it: below zero is money going out; text that does not begin
// with a number counts 0, money coming in.
inline QString forAmountText(QStringView amount)
{
    return TextRules::numberFromText(amount) < 0 ? Expense : Income;
}

// The word of an amount as the journal holds it; a row without an amount is money coming in.
inline QString forAmount(const QVariant& amount)
{
    return amount.toDouble() < 0 ? Expense : Income;
}

} // namespace InOutWords
