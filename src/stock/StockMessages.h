#pragma once

#include "records/ErrorMessageBoxes.h"

// The fixed messages of the forms of products and stock, beside those of the other record forms.
namespace ErrorMessageBoxes {

namespace Products { // 產品基本資料
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 4, QStringLiteral("del")};
} // namespace Products

namespace GoodsEntry { // 進貨表單: its confirm and cancel buttons
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
} // namespace GoodsEntry

} // namespace ErrorMessageBoxes
