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
} // namespace CashJournal

} // namespace ErrorMessageBoxes
