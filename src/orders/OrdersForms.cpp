#include "orders/OrdersForms.h"

#include "core/AppContext.h"
#include "orders/DeliveryListDialog.h"
#include "orders/OrderDateListingDialog.h"

void registerOrdersForms(AppContext& app)
{
    app.forms.add(QStringLiteral("載入送貨地址"), QStringLiteral("goods address"), FormRegistry::Placement::TopLevel,
                  [](AppContext& context) { return new DeliveryListDialog(context); });
    app.forms.add(QStringLiteral("載入客戶訂的日期"), QStringLiteral("customer subscribe date"),
                  FormRegistry::Placement::TopLevel, [](AppContext& context) { return new OrderDateListingDialog(context); });
}
