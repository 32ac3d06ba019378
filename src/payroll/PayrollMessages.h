#pragma once

#include "records/ErrorMessageBoxes.h"

// The fixed messages of the forms of payroll and leave, beside those of the other record forms.
namespace ErrorMessageBoxes {

namespace Leave { // 差假表單
inline const ToolbarMessages toolbar{std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 4, QStringLiteral("del")};
inline const MessageBoxText digitsOnly = critical(QStringLiteral("input int !!!"), QStringLiteral("Err"));
} // namespace Leave

namespace SalaryItems { // 薪資資料: no add, no delete
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     std::nullopt,
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
} // namespace SalaryItems

namespace Settlement { // 薪資結算表單: no add, no delete
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
// A figure a change handler cannot work with, and a month-end run the database refused.
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
inline MessageBoxText monthEndQuestion(const QString& year, const QString& month)
{
    return {QStringLiteral("按下Yes鈕將對** %1 年** %2 月** 做結算!!").arg(year, month), 52, QStringLiteral("本月結帳")};
}
inline MessageBoxText monthAlreadySettled(const QString& year, const QString& month)
{
    return {QStringLiteral("** %1 年** %2 月** 已結算過!!").arg(year, month), 48, QStringLiteral("本月結帳")};
}
// Another clerk's run holds the books: the month it settles, and why nothing was done here.
inline MessageBoxText monthBeingSettled(const QString& year, const QString& month)
{
    return {QStringLiteral("** %1 年** %2 月** 結算中!!").arg(year, month), 48, QStringLiteral("本月結帳")};
}
inline QString monthBeingSettledDetail(const QString& year, const QString& month)
{
    return QStringLiteral("Another clerk is settling %1/%2 at this moment; nothing was changed here. "
                          "Start the run again once that one has finished.")
        .arg(year, month);
}
inline const MessageBoxText monthSettled{QStringLiteral("結算完成"), 48, QStringLiteral("完成")};
} // namespace Settlement

namespace Commission { // 抽成: no add, no delete
inline const ToolbarMessages toolbar{std::nullopt,
                                     std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
} // namespace Commission

// The lost-bottle deduction report.
namespace LostBottleReport { // 載入應收帳款扣薪明細表
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("錯誤"));
} // namespace LostBottleReport

} // namespace ErrorMessageBoxes
