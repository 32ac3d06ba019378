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
} // namespace Settlement

namespace Commission { // 抽成: no add, no delete
inline const ToolbarMessages toolbar{std::nullopt,
                                     std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
} // namespace Commission

} // namespace ErrorMessageBoxes
