#pragma once

#include "data/TextRules.h"

#include <QString>
#include <QStringView>

// The one pair of words the cash journal marks its rows with and the journal overview filters by.
namespace InOutWords {

inline const QString Income = QStringLiteral("income");
inline const QString Expense = QStringLiteral("expense");

// The word of an amount as a clerk typed it: below zero is money going out; text that does not begin
// with a number counts 0, money coming in.
inline QString forAmountText(QStringView amount)
{
    return TextRules::numberFromText(amount) < 0 ? Expense : Income;
}

} // namespace InOutWords
