#include "orders/OrdersMessages.h"

namespace ErrorMessageBoxes {

MessageBoxText DeliveryDays::question(const QString& day, const QString& title)
{
    return {QStringLiteral("sure") + day + QStringLiteral("customer suspend!!"), 52, title};
}

MessageBoxText DeliveryDays::noRows(const QString& title)
{
    return {QStringLiteral("no data!!!"), MessageService::Exclamation, title};
}

MessageBoxText SubscriptionTypes::deleteQuestion(const QString& subscribeType)
{
    return {QStringLiteral("delete<") + subscribeType + QStringLiteral("> subscribe_type???"), 52, QStringLiteral("del")};
}

MessageBoxText SubscriptionTypes::deleteDayQuestion(const QString& day)
{
    return {QStringLiteral("delete the data") + day + QStringLiteral("data???"), 52, QStringLiteral("del")};
}

MessageBoxText DeliveryTypes::deleteQuestion(const QString& sendType)
{
    return {QStringLiteral("delete the data <") + sendType + QStringLiteral(" >polling type???"), 52,
            QStringLiteral("del")};
}

} // namespace ErrorMessageBoxes
