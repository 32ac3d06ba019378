#pragma once

#include "core/MessageService.h"

#include <QString>
#include <optional>

// One message box: its text, its buttons and icon as MessageService flags, and its title.
struct MessageBoxText {
    QString text;
    int flags = MessageService::OkOnly;
    QString title;
};

// Shows the box and returns the answer (MessageService::Answer).
int showMessage(MessageService& messages, const MessageBoxText& box);

// The messages of a record form's toolbar, one per group of steps that reports its failures. A group
// without a message skips its failing steps and shows nothing.
struct ToolbarMessages {
    std::optional<MessageBoxText> navigation; // buttons 1 to 4
    std::optional<MessageBoxText> addSave;
    std::optional<MessageBoxText> modifySave;
    std::optional<MessageBoxText> cancel;

    // A delete the database refuses is told with the message of the navigation group (the trap the
    // delete ran under), or of the add save where navigation reports nothing.
    std::optional<MessageBoxText> deleteRefused() const { return navigation ? navigation : addSave; }
};

// The four ways the record forms word a search that finds nothing.
enum class SearchMissStyle {
    Spaced,    // no '…' data!!
    Tight,     // no'…'data!!
    TightOpen, // no'…' data!!
    Search,    // no search'…'data!!
};

// Every fixed error, confirmation and warning message of the record forms, in one place.
namespace ErrorMessageBoxes {

inline MessageBoxText critical(const QString& text, const QString& title)
{
    return {text, MessageService::Critical, title};
}

// A search miss: flags 0, title "search".
MessageBoxText searchMiss(SearchMissStyle style, const QString& value);

namespace Customers { // 客戶基本資料
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("Delete the data???"), 52, QStringLiteral("del")};
} // namespace Customers

namespace Employees { // 員工基本資料表
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
inline const MessageBoxText deleteQuestion{QStringLiteral("Delete the data???"), 52, QStringLiteral("del")};
} // namespace Employees

namespace Products { // 產品基本資料
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 4, QStringLiteral("del")};
} // namespace Products

namespace Orders { // 訂單
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 52, QStringLiteral("del")};
} // namespace Orders

namespace ContactLog { // 輸入聯絡事項
inline const ToolbarMessages toolbar{std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 4, QStringLiteral("data")};
inline const MessageBoxText search = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
inline const MessageBoxText findNextByDate = critical(QStringLiteral("input_date Err!!!"), QStringLiteral("Err"));
} // namespace ContactLog

namespace Leave { // 差假表單
inline const ToolbarMessages toolbar{std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 4, QStringLiteral("del")};
} // namespace Leave

namespace CashJournal { // 流水帳明細表
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("Delete the data???"), 4, QStringLiteral("del")};
} // namespace CashJournal

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

namespace GoodsEntry { // 進貨表單: its confirm and cancel buttons
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
} // namespace GoodsEntry

namespace SubscriptionTypes { // 設定訂法
inline const MessageBoxText input{QStringLiteral("input!!!"), MessageService::Exclamation, QStringLiteral("attion")};
inline const MessageBoxText noTypeWarning{QStringLiteral("no subscribe_type!!"), MessageService::Exclamation,
                                          QStringLiteral("attion")};
inline const MessageBoxText monthCannotInput{QStringLiteral("month can not input!!!"), MessageService::Exclamation,
                                             QStringLiteral("attion")};
inline const MessageBoxText noData = critical(QStringLiteral("no data!!!"), QStringLiteral("Err."));
inline const MessageBoxText noType = critical(QStringLiteral("no subscribe_type!!!"), QStringLiteral("Err."));
inline const MessageBoxText typeExists = critical(QStringLiteral("subscribe_type!!!"), QStringLiteral("attion"));
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
// "delete<" + type + "> subscribe_type???"
MessageBoxText deleteQuestion(const QString& subscribeType);
} // namespace SubscriptionTypes

namespace DeliveryTypes { // 設定送法
inline const MessageBoxText typeExists = critical(QStringLiteral("have send_type!!!"), QStringLiteral("attion"));
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
// "delete the data <" + type + " >polling type???"
MessageBoxText deleteQuestion(const QString& sendType);
} // namespace DeliveryTypes

} // namespace ErrorMessageBoxes
