#include "orders/OrdersMessages.h"

namespace ErrorMessageBoxes {

MessageBoxText SubscriptionTypes::deleteQuestion(const QString& subscribeType)
{
    return {QStringLiteral("delete<") + subscribeType + QStringLiteral("> subscribe_type???"), 52, QStringLiteral("del")};
}

MessageBoxText DeliveryTypes::deleteQuestion(const QString& sendType)
{
    return {QStringLiteral("delete the data <") + sendType + QStringLiteral(" >polling type???"), 52,
            QStringLiteral("del")};
}

} // namespace ErrorMessageBoxes
