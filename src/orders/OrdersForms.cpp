#include "orders/OrdersForms.h"

#include "core/AppContext.h"
#include "orders/DeliveryListDialog.h"

void registerOrdersForms(AppContext& app)
{
    app.forms.add(QStringLiteral("載入送貨地址"), QStringLiteral("goods address"), FormRegistry::Placement::TopLevel,
                  [](AppContext& context) { return new DeliveryListDialog(context); });
}
