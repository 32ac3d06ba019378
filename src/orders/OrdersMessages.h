#pragma once

#include "records/ErrorMessageBoxes.h"

// The fixed messages of the forms of subscriptions, orders and deliveries, beside those of the other record forms.
namespace ErrorMessageBoxes {

namespace Orders { // 訂單
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 52, QStringLiteral("del")};
// A bottle cash or cancel flag changed outside an add or a modify that the order cannot take.
inline const MessageBoxText idleChangeRefused = critical(QStringLiteral("input Err!!!"), QStringLiteral("Err."));
} // namespace Orders

namespace DeliveryDays { // 訂法全灠
inline const QString suspendTitle = QStringLiteral("整理");
inline const QString resumeTitle = QStringLiteral("refresh");
// "sure" + day + "customer suspend!!", asked under the action's title.
MessageBoxText question(const QString& day, const QString& title);
MessageBoxText noRows(const QString& title);
inline const MessageBoxText writeRefused = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
} // namespace DeliveryDays

// Why a form of types refuses when no type is picked in its list.
inline const QString noTypeChosen = QStringLiteral("No type is chosen in the list.");

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
// "delete the data" + day + "data???"
MessageBoxText deleteDayQuestion(const QString& day);
inline const QString addPrompt = QStringLiteral("input subscribe_type");
inline const QString addTitle = QStringLiteral("subscribe_type");
} // namespace SubscriptionTypes

namespace DeliveryTypes { // 設定送法
inline const MessageBoxText typeExists = critical(QStringLiteral("have send_type!!!"), QStringLiteral("attion"));
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
// "delete the data <" + type + " >polling type???"
MessageBoxText deleteQuestion(const QString& sendType);
inline const QString addPrompt = QStringLiteral("input add send type");
inline const QString addTitle = QStringLiteral("add send");
} // namespace DeliveryTypes

// The spreadsheet listings.
namespace DeliveryList { // 載入送貨地址
inline const MessageBoxText failed = critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."));
} // namespace DeliveryList

namespace OrderDateListing { // 載入客戶訂的日期
inline const MessageBoxText inputError = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
} // namespace OrderDateListing

} // namespace ErrorMessageBoxes
