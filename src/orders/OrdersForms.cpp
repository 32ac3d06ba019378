#include "orders/OrdersForms.h"

#include "core/AppContext.h"
#include "orders/DeliveryDaysForm.h"
#include "orders/DeliveryListDialog.h"
#include "orders/DeliveryTypeOverview.h"
#include "orders/DeliveryTypesForm.h"
#include "orders/OrderDateListingDialog.h"
#include "orders/OrderForm.h"
#include "orders/SubscriptionOverviewForm.h"

using namespace Qt::StringLiterals;

void registerOrdersForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"訂單"_s, u"order"_s, Placement::Child, [](AppContext& context) { return new OrderForm(context); });
    app.forms.add(u"訂法全灠"_s, u"France view"_s, Placement::Child,
                  [](AppContext& context) { return new DeliveryDaysForm(context); });
    app.forms.add(u"設定送法"_s, u"set round mode"_s, Placement::Child,
                  [](AppContext& context) { return new DeliveryTypesForm(context); });
    app.forms.add(u"設定訂法全灠"_s, u"setting overview"_s, Placement::Child,
                  [](AppContext& context) { return new SubscriptionOverviewForm(context); });
    app.forms.add(u"輪送方式一灠"_s, u"wheel send view"_s, Placement::TopLevel,
                  [](AppContext& context) { return new DeliveryTypeOverview(context); });
    app.forms.add(u"載入送貨地址"_s, u"goods address"_s, Placement::TopLevel,
                  [](AppContext& context) { return new DeliveryListDialog(context); });
    app.forms.add(u"載入客戶訂的日期"_s, u"customer subscribe date"_s, Placement::TopLevel,
                  [](AppContext& context) { return new OrderDateListingDialog(context); });
}
