#pragma once

#include "records/ErrorMessageBoxes.h"

// The fixed messages of the forms of accounts, billing and reports, beside those of the other record forms.
namespace ErrorMessageBoxes {

namespace CashJournal { // 流水帳明細表
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("Delete the data???"), 4, QStringLiteral("del")};
// 搜尋 and 再搜尋 on the record, 日期搜尋 and 日期再搜尋 on the list of all rows, when the rows cannot be searched.
inline const MessageBoxText recordSearchFailed = critical(QStringLiteral("input format Err.!!!"), QStringLiteral("Err."));
inline const MessageBoxText listSearchFailed = critical(QStringLiteral("input format Err!!!"), QStringLiteral("Err"));
// The daily posting: its question names the day with no blank either side.
inline MessageBoxText postingQuestion(const QString& day)
{
    return {QStringLiteral("sure") + day + QStringLiteral("to do account??"), 52, QStringLiteral("attion")};
}
inline const MessageBoxText dayAlreadyPosted = critical(QStringLiteral("today!!!"), QStringLiteral("Err."));
inline const MessageBoxText postingFailed = critical(QStringLiteral("input Err!!!"), QStringLiteral("Err."));
// A posting that also took rows of earlier days (a day left unposted, a row entered late) names them.
inline MessageBoxText earlierDaysCarried(const QString& days)
{
    return {QStringLiteral("The posting also took the rows of %1, which no posting had taken.").arg(days), 64,
            QStringLiteral("attion")};
}
// A journal row a posting took stays as the posting summed it: its modify or delete is refused as it
// begins, and at its save where a posting took it meanwhile, naming the posting's day.
inline MessageBoxText postedRow(const QString& day)
{
    return {QStringLiteral("The posting of %1 took this row into the cash in hand.").arg(day), MessageService::Exclamation,
            QStringLiteral("posted row")};
}
inline QString postedRowDetail(const QString& day)
{
    return QStringLiteral("The posting of %1 took this row into the cash in hand: enter a correcting row instead.").arg(day);
}
} // namespace CashJournal

namespace Reports { // 載入日計報表, 載入發票明細, 提示繳款名單, 客戶帳款查詢
// A report that cannot run on what the boxes hold, or whose sheet or total failed.
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
} // namespace Reports

} // namespace ErrorMessageBoxes
