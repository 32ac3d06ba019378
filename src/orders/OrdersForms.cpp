#include "orders/OrdersForms.h"

#include "orders/DeliveryDaysForm.h"
#include "orders/OrderForm.h"
#include "core/AppContext.h"

using namespace Qt::StringLiterals;

void registerOrdersForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"訂單"_s, u"order"_s, Placement::Child, [](AppContext& context) { return new OrderForm(context); });
    app.forms.add(u"訂法全灠"_s, u"France view"_s, Placement::Child,
                  [](AppContext& context) { return new DeliveryDaysForm(context); });
}
